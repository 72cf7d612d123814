#include "platform/core/large_buffers.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

// The advice changes how memory is mapped, never what it holds: a buffer written before
// and after it reads back the same, whatever its start and length.
TEST(LargeBuffers, AdviceKeepsTheContentOfAnyRange)
{
    std::vector<std::uint8_t> buffer((std::size_t(9) << 20) + 123);
    for (std::size_t i = 0; i < buffer.size(); i += 4096) buffer[i] = std::uint8_t(i / 4096);
    const struct {
        std::size_t Offset, Length;
    } ranges[] = {{0, 0}, {1, 100}, {3, buffer.size() - 3}, {4096, std::size_t(5) << 20}, {0, buffer.size()}};
    for (const auto& r : ranges) AdviseLargeBuffer(buffer.data() + r.Offset, r.Length);
    AdviseLargeBuffer(nullptr, std::size_t(64) << 20);
    for (std::size_t i = 0; i < buffer.size(); i += 4096) ASSERT_EQ(buffer[i], std::uint8_t(i / 4096)) << i;
    for (std::size_t i = 2048; i < buffer.size(); i += 4096) buffer[i] = 7;
    for (std::size_t i = 2048; i < buffer.size(); i += 4096) ASSERT_EQ(buffer[i], 7) << i;
}
