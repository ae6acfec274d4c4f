// A TCP connection's outgoing queue over loopback when the system takes only part of a block:
// the rest waits and goes out whole, and a link that fails after a partial write closes with its
// queue emptied, the written part delivered and nothing written twice.
#include "multiplayer/net_socket.h"
#include "multiplayer/support/loopback.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <numeric>
#include <sys/socket.h>

namespace q71 {
namespace {

class TcpQueue : public ::testing::Test {
protected:
    void SetUp() override {
        NetError error;
        listener = TcpListener::open(0, error);
        ASSERT_TRUE(listener) << error.text();
        sender = TcpConnection::connect({0x7F000001, listener->port()}, error);
        ASSERT_TRUE(sender) << error.text();
        ASSERT_TRUE(test::pollUntil([] {},
                                    [&] {
                                        if (!receiver)
                                            receiver = listener->accept();
                                        return receiver && sender->update() == TcpConnection::State::Open;
                                    }));
        block.resize(1000);
        std::iota(block.begin(), block.end(), std::uint8_t{0});
    }

    /// What the other end has been sent, once the link is closed or `expected` bytes came.
    std::vector<std::uint8_t> delivered(std::size_t expected) {
        std::vector<std::uint8_t> all;
        test::pollUntil([] {},
                        [&] {
                            const std::vector<std::uint8_t> bytes = receiver->receive(4096);
                            all.insert(all.end(), bytes.begin(), bytes.end());
                            return receiver->state() == TcpConnection::State::Closed ||
                                   all.size() >= expected;
                        });
        return all;
    }

    std::unique_ptr<TcpListener> listener;
    std::unique_ptr<TcpConnection> sender, receiver;
    std::vector<std::uint8_t> block;
    int calls = 0;
};

// A send that writes at most `most` bytes of the first block it is given, then fails every
// time with `error`; `calls` counts its calls.
SocketSendCall partOnceThen(std::size_t most, int error, int& calls) {
    return [most, error, &calls](int fd, std::span<const std::uint8_t> bytes) -> long {
        if (calls++ == 0)
            return ::send(fd, bytes.data(), std::min(bytes.size(), most), MSG_NOSIGNAL);
        errno = error;
        return -1;
    };
}

TEST_F(TcpQueue, WhatTheSystemDidNotTakeWaitsAndGoesOutInOrder) {
    sender->setSendCall(partOnceThen(300, EAGAIN, calls));
    sender->send(block);
    EXPECT_EQ(sender->state(), TcpConnection::State::Open);
    EXPECT_EQ(sender->pending(), block.size() - 300);

    sender->setSendCall(nullptr);
    EXPECT_EQ(sender->update(), TcpConnection::State::Open);
    EXPECT_EQ(sender->pending(), 0u);
    EXPECT_EQ(delivered(block.size()), block);
}

TEST_F(TcpQueue, ASendThatFailsAfterWritingPartOfABlockClosesTheLinkWithItsQueueEmpty) {
    sender->setSendCall(partOnceThen(400, ECONNRESET, calls));
    sender->send(block);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(sender->state(), TcpConnection::State::Closed);
    EXPECT_EQ(sender->pending(), 0u);
    EXPECT_NE(sender->closeReason().find("send"), std::string::npos) << sender->closeReason();
    // More to send after the failure is dropped, not queued.
    sender->send(block);
    EXPECT_EQ(sender->pending(), 0u);
    EXPECT_EQ(calls, 2);
    // The other end got the written part, once, and then the end of the link.
    EXPECT_EQ(delivered(block.size()), std::vector<std::uint8_t>(block.begin(), block.begin() + 400));
    EXPECT_EQ(receiver->state(), TcpConnection::State::Closed);
}

} // namespace
} // namespace q71
