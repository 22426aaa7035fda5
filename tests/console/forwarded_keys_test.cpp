#include "console/forwarded_keys.h"

#include <gtest/gtest.h>
#include <poll.h>

#include <thread>

namespace pathwick {
namespace {

bool readable(int descriptor) {
    pollfd entry{descriptor, POLLIN, 0};
    return ::poll(&entry, 1, 0) == 1;
}

TEST(ForwardedKeys, TheDescriptorIsReadableExactlyWhileKeysAreQueued) {
    ForwardedKeys keys;
    ASSERT_GE(keys.wakeDescriptor(), 0);
    EXPECT_FALSE(readable(keys.wakeDescriptor()));
    keys.push("a");
    keys.push("b");
    EXPECT_TRUE(readable(keys.wakeDescriptor()));
    EXPECT_EQ(keys.take(), "a");
    EXPECT_TRUE(readable(keys.wakeDescriptor()));
    EXPECT_EQ(keys.take(), "b");
    EXPECT_FALSE(readable(keys.wakeDescriptor()));
    EXPECT_EQ(keys.take(), std::nullopt);
}

TEST(ForwardedKeys, KeysFromAnotherThreadArriveInOrderAndTheQueueIsBounded) {
    ForwardedKeys keys;
    std::thread producer([&] {
        for (int i = 0; i < 1000; ++i) keys.push(std::string(1, static_cast<char>('a' + i % 26)));
    });
    producer.join();
    int taken = 0;
    while (const auto key = keys.take()) {
        EXPECT_EQ(*key, std::string(1, static_cast<char>('a' + taken % 26)));
        ++taken;
    }
    EXPECT_EQ(taken, 256);
    EXPECT_FALSE(readable(keys.wakeDescriptor()));
}

}  // namespace
}  // namespace pathwick
