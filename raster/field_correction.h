#pragma once

#include "raster/multi_channel_field.h"

#include <cstdint>

namespace raster {

// Pixels whose channels draw an edge the true distance does not, at them
// or anywhere between them and their neighbours as a reader filters them,
// take the true distance in all three channels, until none does.
void CorrectClashes(ChannelDistances &field, std::int64_t width, std::int64_t height);

} // namespace raster
