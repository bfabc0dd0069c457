// Every test runs in its own process (gtest_discover_tests), against the
// editor's windows created once as at start-up.
#include <gtest/gtest.h>

#include "AppTestSupport.h"
#include "app/StartUp.h"
#include "ui/Windows.h"

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                   : qgetenv("QT_QPA_PLATFORM"));
  rv::RastroviaApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  rv::ui::SetMessageSink([](const QString& text) { rv::test::Messages().append(text); });
  rv::CreateWindows(true);
  return RUN_ALL_TESTS();
}
