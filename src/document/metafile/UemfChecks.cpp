#include "document/metafile/UemfChecks.h"

#include <uemf.h>
#include <uemf_safe.h>
#include <uwmf.h>

namespace rv::meta {

bool EmfRecordSafe(const std::uint8_t* record) {
  return U_emf_record_safe(reinterpret_cast<const char*>(record)) != 0;
}

std::size_t WmfRecordSafeSize(const std::uint8_t* record, const std::uint8_t* limit) {
  return U_WMRRECSAFE_get(reinterpret_cast<const char*>(record), reinterpret_cast<const char*>(limit));
}

}  // namespace rv::meta
