#include "document/io/SaveRoute.h"

#include <gtest/gtest.h>

namespace rv {
namespace {

TEST(SaveRoute, ByExtensionInAnyLetterCase) {
  const std::pair<const char*, SaveRoute> cases[] = {
      {"a.wmf", SaveRoute::Metafile},        {"a.WmF", SaveRoute::Metafile},
      {"a.Emf", SaveRoute::Metafile},        {"a.bmp", SaveRoute::BitmapOptions},
      {"a.GIF", SaveRoute::BitmapOptions},   {"a.Ico", SaveRoute::Icon},
      {"a.jpg", SaveRoute::JpegOptions},     {"a.Jpeg", SaveRoute::JpegOptions},
      {"a.PNG", SaveRoute::Png},             {"/x.jpg/picture.tif", SaveRoute::Unsupported},
      {"/x.jpg/noextension", SaveRoute::Unsupported}, {"a.jpg.", SaveRoute::Unsupported},
      {"a.jpgx", SaveRoute::Unsupported},    {"", SaveRoute::Unsupported}};
  for (const auto& [name, route] : cases) EXPECT_EQ(SaveRouteFor(name), route) << name;
}

}  // namespace
}  // namespace rv
