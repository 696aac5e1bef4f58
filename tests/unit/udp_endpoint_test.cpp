#include <gtest/gtest.h>

#include "browser/udp_endpoint.h"

namespace {

Bytes Datagram(std::size_t size) {
  Bytes bytes(size);
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<std::uint8_t>(i);
  return bytes;
}

struct Pair {
  Pair() {
    EXPECT_TRUE(client.Open(0));
    EXPECT_TRUE(server.Open(0));
  }
  UdpEndpoint client, server;
};

struct Received {
  bool result = false;
  int received = -1;
  Bytes data;
  int length = -7;
  Text address;
  int port = 0;
};

Received Receive(UdpEndpoint& endpoint, int bufferSize = 0, int timeout = 2000) {
  Received r;
  r.result = endpoint.Receive(r.received, r.data, r.length, bufferSize, r.address, r.port, timeout);
  return r;
}

TEST(UdpEndpoint, OpenPortsAndReopen) {
  UdpEndpoint endpoint;
  EXPECT_FALSE(endpoint.IsOpen());
  for (int port : {0, 32768, 40000, 65535}) {
    // 32768 and above read as a negative 16-bit value: the system chooses.
    ASSERT_TRUE(endpoint.Open(static_cast<std::int16_t>(port))) << port;
    EXPECT_NE(endpoint.LocalPort(), 0) << port;
  }
  // A port below 32768 is bound as given.
  std::int16_t old = 0;
  for (std::int16_t candidate = 21000; candidate < 21100 && !old; ++candidate) {
    if (endpoint.Open(candidate)) old = candidate;
  }
  ASSERT_NE(old, 0);
  EXPECT_EQ(endpoint.LocalPort(), old);
  ASSERT_TRUE(endpoint.Open(0));
  // The old port was released by the reopen: another endpoint may take it.
  UdpEndpoint other;
  EXPECT_TRUE(other.Open(old));
  EXPECT_EQ(other.LocalPort(), old);
  // A port already taken fails and leaves the endpoint closed.
  UdpEndpoint third;
  EXPECT_FALSE(third.Open(old));
  EXPECT_FALSE(third.IsOpen());
}

TEST(UdpEndpoint, SendAndReceiveOnLoopback) {
  Pair p;
  Bytes message = {0xFF, 0xFF, 0xFF, 0xFF, 'd', 'e', 't', 'a', 'i', 'l', 's'};
  ASSERT_TRUE(p.client.Send(message, "127.0.0.1", p.server.LocalPort()));
  Received r = Receive(p.server);
  ASSERT_TRUE(r.result);
  EXPECT_EQ(r.received, 1);
  EXPECT_EQ(r.data, message);
  EXPECT_EQ(r.length, 11);
  EXPECT_EQ(r.address, "127.0.0.1");
  EXPECT_EQ(r.port, p.client.LocalPort());
}

TEST(UdpEndpoint, DatagramSizes) {
  Pair p;
  // 10240 bytes arrive whole with the default buffer.
  ASSERT_TRUE(p.client.Send(Datagram(10240), "127.0.0.1", p.server.LocalPort()));
  Received whole = Receive(p.server);
  EXPECT_TRUE(whole.result);
  EXPECT_EQ(whole.data, Datagram(10240));

  // One byte more than the buffer is an error, and that datagram is lost.
  ASSERT_TRUE(p.client.Send(Datagram(10241), "127.0.0.1", p.server.LocalPort()));
  Received large = Receive(p.server);
  EXPECT_FALSE(large.result);
  ASSERT_TRUE(p.client.Send(Datagram(100), "127.0.0.1", p.server.LocalPort()));
  Received small = Receive(p.server, 50);
  EXPECT_FALSE(small.result);

  // An empty datagram: false, empty data, length 0.
  ASSERT_TRUE(p.client.Send(Bytes(), "127.0.0.1", p.server.LocalPort()));
  Received empty = Receive(p.server);
  EXPECT_FALSE(empty.result);
  EXPECT_TRUE(empty.data.empty());
  EXPECT_EQ(empty.length, 0);

  // The next one is read normally.
  ASSERT_TRUE(p.client.Send(Datagram(3), "127.0.0.1", p.server.LocalPort()));
  EXPECT_EQ(Receive(p.server).data, Datagram(3));
}

TEST(UdpEndpoint, TimeoutClosedAndBadAddress) {
  Pair p;
  Received quiet = Receive(p.server, 0, 50);
  EXPECT_TRUE(quiet.result);
  EXPECT_EQ(quiet.received, 0);

  UdpEndpoint closed;
  Received r = Receive(closed);
  EXPECT_FALSE(r.result);
  EXPECT_EQ(r.length, -7);  // untouched
  EXPECT_FALSE(closed.Send(Datagram(4), "127.0.0.1", p.server.LocalPort()));

  for (const char* address : {"localhost", "", "1.2.3", "300.1.1.1", "127.0.0.1:27015"}) {
    EXPECT_FALSE(p.client.Send(Datagram(4), address, p.server.LocalPort())) << address;
  }
  // Only the low 16 bits of the port count.
  ASSERT_TRUE(p.client.Send(Datagram(2), "127.0.0.1", 0x10000 + p.server.LocalPort()));
  EXPECT_EQ(Receive(p.server).data, Datagram(2));
}

}  // namespace
