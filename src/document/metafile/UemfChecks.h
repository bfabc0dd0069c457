// libuemf's record checks, kept apart so its macros stay out of the player.
#pragma once

#include <cstddef>
#include <cstdint>

namespace rv::meta {

// True when no count or offset of the EMF record points outside its declared
// size. The caller has made sure the record's size fits the buffer.
bool EmfRecordSafe(const std::uint8_t* record);

// Size in bytes of the WMF record at record when it fits before limit, else 0.
std::size_t WmfRecordSafeSize(const std::uint8_t* record, const std::uint8_t* limit);

}  // namespace rv::meta
