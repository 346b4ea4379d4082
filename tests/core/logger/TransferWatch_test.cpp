#include <gtest/gtest.h>

#include "logger/TransferWatch.h"

using namespace bramble;

namespace {

// One tick that delivers the given chunks; returns whether it ended the transfer.
bool Tick(TransferWatch& watch, std::initializer_list<int> chunks = {})
{
    watch.BeginTick();
    for (int bytes : chunks)
        watch.Received(bytes);
    return watch.EndTick();
}

}  // namespace

TEST(TransferWatch, WaitsForTheFirstByteAsLongAsItTakes)
{
    TransferWatch watch;
    watch.Restart();
    for (int i = 0; i < 1000; ++i)
        ASSERT_FALSE(Tick(watch));
    EXPECT_EQ(watch.ReceivedBytes(), 0);
}

TEST(TransferWatch, OneSilentTickAfterDataEndsTheTransfer)
{
    TransferWatch watch;
    watch.Restart();
    EXPECT_FALSE(Tick(watch));
    EXPECT_FALSE(Tick(watch, {100, 100, 37}));
    EXPECT_FALSE(Tick(watch, {5}));
    EXPECT_TRUE(Tick(watch));
    EXPECT_EQ(watch.ReceivedBytes(), 242);
}

TEST(TransferWatch, AZeroByteReadIsNoData)
{
    TransferWatch watch;
    watch.Restart();
    EXPECT_FALSE(Tick(watch, {10}));
    EXPECT_TRUE(Tick(watch, {0}));
}

TEST(TransferWatch, RestartForgetsThePreviousSession)
{
    TransferWatch watch;
    watch.Restart();
    Tick(watch, {50});
    watch.Restart();
    EXPECT_EQ(watch.ReceivedBytes(), 0);
    EXPECT_FALSE(Tick(watch));
}
