#include "TestSupport.h"
#include "platform/HttpDownload.h"

#include <QDir>
#include <QFile>
#include <QUrl>
#include <arpa/inet.h>
#include <atomic>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <thread>
#include <unistd.h>

using namespace kavio;
using platform::DownloadToFile;
using platform::THttpLimits;

namespace {

// A one-connection-at-a-time HTTP server on the loopback address that answers every request
// with the same canned reply, and keeps the last request it saw.
class TLoopbackServer {
 public:
  explicit TLoopbackServer(QByteArray AReply, int AStallMs = 0) : FReply(std::move(AReply)), FStallMs(AStallMs) {
    FSocket = ::socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ::bind(FSocket, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    ::getsockname(FSocket, reinterpret_cast<sockaddr*>(&address), &length);
    FPort = ntohs(address.sin_port);
    ::listen(FSocket, 4);
    FThread = std::thread([this] { Serve(); });
  }
  ~TLoopbackServer() {
    FStop = true;
    ::shutdown(FSocket, SHUT_RDWR);
    ::close(FSocket);
    FThread.join();
  }
  QString Url(const char* APath) const { return QStringLiteral("http://127.0.0.1:%1%2").arg(FPort).arg(APath); }
  QByteArray LastRequest() const { return FRequest; }

 private:
  void Serve() {
    while (!FStop) {
      const int client = ::accept(FSocket, nullptr, nullptr);
      if (client < 0) return;
      char buffer[4096];
      const ssize_t got = ::read(client, buffer, sizeof buffer);
      if (got > 0) FRequest = QByteArray(buffer, static_cast<qsizetype>(got));
      if (FStallMs > 0) std::this_thread::sleep_for(std::chrono::milliseconds(FStallMs));
      (void)::write(client, FReply.constData(), static_cast<size_t>(FReply.size()));
      ::close(client);
    }
  }
  QByteArray FReply;
  int FStallMs;
  int FSocket;
  int FPort;
  std::atomic<bool> FStop{false};
  std::thread FThread;
  QByteArray FRequest;
};

QByteArray Reply(const char* AStatus, const QByteArray& ABody, bool ALength = true) {
  QByteArray reply = QByteArray("HTTP/1.1 ") + AStatus + "\r\nConnection: close\r\n";
  if (ALength) reply += "Content-Length: " + QByteArray::number(ABody.size()) + "\r\n";
  return reply + "\r\n" + ABody;
}

QByteArray ReadAll(const QString& APath) {
  QFile file(APath);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(missing)");
}

}  // namespace

TEST(HttpDownload, CompleteDownloadTakesItsName) {
  TLoopbackServer server(Reply("200 OK", "1.0.1.2\r\nmore\r\n"));
  QTemporaryDir dir;
  const QString path = dir.path() + "/kavio.ver";
  test::WriteFile(dir.path(), "kavio.ver", "old");
  const auto result = DownloadToFile(server.Url("/upd/kavio.ver"), path);
  EXPECT_TRUE(result.Ok) << result.Error.toStdString();
  EXPECT_EQ(ReadAll(path), "1.0.1.2\r\nmore\r\n");
  EXPECT_TRUE(server.LastRequest().startsWith("GET /upd/kavio.ver HTTP/1.1\r\n"));
  EXPECT_TRUE(server.LastRequest().contains("Cache-Control: no-cache\r\n"));
  EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"kavio.ver"});
}

TEST(HttpDownload, FailuresLeaveNothingBehind) {
  struct TCase {
    const char* Name;
    QByteArray Reply;
    int StallMs;
    qint64 MaxBytes;
  };
  const TCase cases[] = {
      {"status_404", Reply("404 Not Found", "nothing here"), 0, 1024},
      {"status_500", Reply("500 Internal Server Error", ""), 0, 1024},
      {"too_large_with_length", Reply("200 OK", QByteArray(5000, 'x')), 0, 1024},
      {"too_large_without_length", Reply("200 OK", QByteArray(5000, 'x'), false), 0, 1024},
      {"truncated_body", Reply("200 OK", "abc").replace("Content-Length: 3", "Content-Length: 300"), 0, 1024},
      {"total_timeout", Reply("200 OK", "late"), 1500, 1024},
  };
  for (const auto& c : cases) {
    TLoopbackServer server(c.Reply, c.StallMs);
    QTemporaryDir dir;
    const QString path = dir.path() + "/Kavio.zip_new";
    THttpLimits limits;
    limits.MaxBytes = c.MaxBytes;
    limits.TotalTimeoutMs = 500;
    const auto result = DownloadToFile(server.Url("/Kavio.zip"), path, limits);
    EXPECT_FALSE(result.Ok) << c.Name;
    EXPECT_FALSE(result.Error.isEmpty()) << c.Name;
    EXPECT_TRUE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << c.Name;
  }
}

TEST(HttpDownload, NoServerFails) {
  // A port on the loopback address nobody listens on: found by binding and closing a socket.
  int port;
  {
    TLoopbackServer probe(Reply("200 OK", ""));
    port = QUrl(probe.Url("/")).port();
  }
  QTemporaryDir dir;
  const auto result = DownloadToFile(QStringLiteral("http://127.0.0.1:%1/x").arg(port), dir.path() + "/x");
  EXPECT_FALSE(result.Ok);
  EXPECT_FALSE(QFile::exists(dir.path() + "/x"));
  EXPECT_FALSE(DownloadToFile(QStringLiteral("http://127.0.0.1:%1/x").arg(port), "/proc/no/such/dir/x").Ok);
}
