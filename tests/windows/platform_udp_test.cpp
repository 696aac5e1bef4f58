// The UDP socket backend on real loopback sockets.
#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "platform/udp_socket.h"

namespace {

using Wait = platform::UdpSocket::Wait;

// Long enough never to be reached when a datagram is on its way.
constexpr int kPatience = 5000;

class UdpTest : public testing::Test {
 protected:
  void SetUp() override {
    platform::SocketLibraryStart();
    ASSERT_TRUE(sender_.Create());
    ASSERT_TRUE(sender_.Bind(0));
    ASSERT_TRUE(receiver_.Create());
    ASSERT_TRUE(receiver_.Bind(0));
  }
  void TearDown() override {
    sender_.Close();
    receiver_.Close();
    platform::SocketLibraryStop();
  }

  long Send(const Bytes& data) {
    return sender_.SendTo(data.data(), data.size(), "127.0.0.1", receiver_.LocalPort());
  }

  platform::UdpSocket sender_;
  platform::UdpSocket receiver_;
};

Bytes Pattern(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i * 13 + 5);
  return bytes;
}

TEST_F(UdpTest, BindingPortZeroGetsARealPort) {
  EXPECT_TRUE(sender_.IsOpen());
  EXPECT_NE(0, sender_.LocalPort());
  EXPECT_NE(0, receiver_.LocalPort());
  EXPECT_NE(sender_.LocalPort(), receiver_.LocalPort());
}

TEST_F(UdpTest, BindingAPortInUseFails) {
  platform::UdpSocket other;
  ASSERT_TRUE(other.Create());
  EXPECT_FALSE(other.Bind(receiver_.LocalPort()));
}

TEST_F(UdpTest, DatagramsArriveWholeWithTheirSender) {
  for (std::size_t size : {std::size_t{1}, std::size_t{548}, std::size_t{10240}}) {
    SCOPED_TRACE(size);
    Bytes data = Pattern(size);
    ASSERT_EQ(static_cast<long>(size), Send(data));
    ASSERT_EQ(Wait::Ready, receiver_.WaitReadable(kPatience));
    Bytes buffer(10240);
    Text address;
    std::uint16_t port = 0;
    long got = receiver_.ReceiveFrom(buffer.data(), buffer.size(), &address, &port);
    ASSERT_EQ(static_cast<long>(size), got);
    buffer.resize(static_cast<std::size_t>(got));
    EXPECT_EQ(data, buffer);
    EXPECT_EQ("127.0.0.1", address);
    EXPECT_EQ(sender_.LocalPort(), port);
  }
}

TEST_F(UdpTest, AnEmptyDatagramReadsAsZero) {
  ASSERT_EQ(0, sender_.SendTo(nullptr, 0, "127.0.0.1", receiver_.LocalPort()));
  ASSERT_EQ(Wait::Ready, receiver_.WaitReadable(kPatience));
  std::uint8_t buffer[16];
  Text address;
  EXPECT_EQ(0, receiver_.ReceiveFrom(buffer, sizeof buffer, &address, nullptr));
  EXPECT_EQ("127.0.0.1", address);
}

TEST_F(UdpTest, ADatagramLargerThanTheBufferIsAnErrorAndGone) {
  ASSERT_EQ(2000, Send(Pattern(2000)));
  ASSERT_EQ(3, Send(Pattern(3)));
  ASSERT_EQ(Wait::Ready, receiver_.WaitReadable(kPatience));
  std::uint8_t buffer[1000];
  EXPECT_EQ(-1, receiver_.ReceiveFrom(buffer, sizeof buffer, nullptr, nullptr));
  // The next datagram is the small one.
  ASSERT_EQ(Wait::Ready, receiver_.WaitReadable(kPatience));
  EXPECT_EQ(3, receiver_.ReceiveFrom(buffer, sizeof buffer, nullptr, nullptr));
}

TEST_F(UdpTest, QueuedDatagramsEachWakeTheWait) {
  for (int i = 0; i < 3; ++i) ASSERT_EQ(i + 1, Send(Pattern(static_cast<std::size_t>(i + 1))));
  for (int i = 0; i < 3; ++i) {
    ASSERT_EQ(Wait::Ready, receiver_.WaitReadable(kPatience)) << i;
    std::uint8_t buffer[16];
    EXPECT_EQ(i + 1, receiver_.ReceiveFrom(buffer, sizeof buffer, nullptr, nullptr));
  }
  EXPECT_EQ(Wait::Timeout, receiver_.WaitReadable(50));
}

TEST_F(UdpTest, NothingToReadTimesOut) {
  EXPECT_EQ(Wait::Timeout, receiver_.WaitReadable(0));
  EXPECT_EQ(Wait::Timeout, receiver_.WaitReadable(30));
}

TEST_F(UdpTest, AddressesThatAreNoDottedIpv4SendNothing) {
  const Text bad[] = {"", "localhost", "127.0.0", "127.0.0.1.1", "127.0.0.256", "127.1", " 127.0.0.1",
                      "127.0.0.1 ", "0x7f.0.0.1", "127..0.1", "1.2.3.-4"};
  std::uint8_t data[4] = {1, 2, 3, 4};
  for (const Text& address : bad) {
    EXPECT_EQ(-1, sender_.SendTo(data, sizeof data, address, receiver_.LocalPort())) << '"' << address << '"';
  }
  EXPECT_EQ(Wait::Timeout, receiver_.WaitReadable(50));
}

TEST_F(UdpTest, ClosedSocketsRefuseWork) {
  receiver_.Close();
  EXPECT_FALSE(receiver_.IsOpen());
  EXPECT_EQ(0, receiver_.LocalPort());
  EXPECT_EQ(Wait::Failed, receiver_.WaitReadable(0));
  std::uint8_t buffer[4] = {};
  EXPECT_EQ(-1, receiver_.ReceiveFrom(buffer, sizeof buffer, nullptr, nullptr));
  EXPECT_EQ(-1, receiver_.SendTo(buffer, sizeof buffer, "127.0.0.1", sender_.LocalPort()));
  receiver_.Close();  // twice is harmless

  ASSERT_TRUE(receiver_.Create());  // and the object can start over
  ASSERT_TRUE(receiver_.Bind(0));
  ASSERT_EQ(1, Send(Pattern(1)));
  EXPECT_EQ(Wait::Ready, receiver_.WaitReadable(kPatience));
}

// Closing from another thread ends a wait without limit.
TEST_F(UdpTest, CloseWakesAWaiter) {
  Wait result = Wait::Ready;
  std::thread waiter([&] { result = receiver_.WaitReadable(-1); });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  receiver_.Close();
  waiter.join();
  EXPECT_EQ(Wait::Failed, result);
}

}  // namespace
