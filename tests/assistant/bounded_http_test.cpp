// The loopback HTTP client against an in-process server: the address rule, headers, both size
// caps at their exact limits, status handling, redirects and cancellation.
#include "assistant/bounded_http.h"

#include <signal.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include <httplib.h>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "raised_message.h"
#include "model/review_error.h"

namespace marrowick {
namespace {

using ::testing::HasSubstr;

constexpr const char* kNotCompleted = "The local assistant could not complete this request.";

class LoopbackServer {
public:
    LoopbackServer() {
        // The client drops oversized answers mid-write; that must not end the test program.
        signal(SIGPIPE, SIG_IGN);
        server_.Get("/echo", &echo);
        server_.Post("/echo", &echo);
        server_.Get(R"(/sized/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            response.set_content(std::string(std::stoul(request.matches[1]), 'x'), "text/plain");
        });
        server_.Get(R"(/streamed/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            const std::size_t total = std::stoul(request.matches[1]);
            response.set_chunked_content_provider("text/plain", [total, sent = std::size_t(0)](
                                                                    std::size_t, httplib::DataSink& sink) mutable {
                const std::size_t piece = std::min<std::size_t>(65536, total - sent);
                if (piece > 0) sink.write(std::string(piece, 'y').data(), piece);
                sent += piece;
                if (sent == total) sink.done();
                return true;
            });
        });
        server_.Get(R"(/status/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
            response.status = std::stoi(request.matches[1]);
            response.set_content("{}", "application/json");
        });
        server_.Get("/redirect", [](const httplib::Request&, httplib::Response& response) {
            response.set_redirect("/sized/10", 302);
        });
        server_.Get("/hang", [this](const httplib::Request&, httplib::Response& response) {
            ++waiting_;
            std::unique_lock lock(mutex_);
            released_.wait_for(lock, std::chrono::seconds(30), [this] { return release_; });
            response.set_content("late", "text/plain");
        });
        port_ = server_.bind_to_any_port("127.0.0.1");
        thread_ = std::thread([this] { server_.listen_after_bind(); });
        while (!server_.is_running()) std::this_thread::yield();
    }
    ~LoopbackServer() {
        {
            const std::lock_guard lock(mutex_);
            release_ = true;
        }
        released_.notify_all();
        server_.stop();
        thread_.join();
    }

    std::string url(const std::string& path) const { return "http://127.0.0.1:" + std::to_string(port_) + path; }
    int waiting() const { return waiting_; }

private:
    static void echo(const httplib::Request& request, httplib::Response& response) {
        const nlohmann::json seen = {{"method", request.method},
                                     {"authorization", request.get_header_value("Authorization")},
                                     {"contentType", request.get_header_value("Content-Type")},
                                     {"bodyBytes", request.body.size()}};
        response.set_content(seen.dump(), "application/json");
    }

    httplib::Server server_;
    int port_ = 0;
    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable released_;
    bool release_ = false;
    std::atomic<int> waiting_ = 0;
};

TEST(BoundedHTTP, OnlyPlainHTTPTo127001WithAPortIsPermitted) {
    for (const char* url : {"http://127.0.0.1:8080", "http://127.0.0.1:8080/v1/models", "http://127.0.0.1:0/x?y"})
        EXPECT_TRUE(BoundedHTTP::loopback(url)) << url;
    for (const char* url : {"http://localhost:8080/v1/models", "https://127.0.0.1:8080/", "http://127.0.0.1/v1/models",
                            "http://127.0.0.1:/v1", "HTTP://127.0.0.1:8080/", "http://127.0.0.2:8080/",
                            "http://127.0.0.1:65536/", "http://127.0.0.1:80x/", "http://user@127.0.0.1:80/",
                            "http://[::1]:8080/", "http://127.1:8080/", ""})
        EXPECT_FALSE(BoundedHTTP::loopback(url)) << url;
    LoopbackServer server;
    const std::string local = server.url("/echo");
    EXPECT_EQ(testing::raisedMessage([&] { BoundedHTTP::send("http://localhost" + local.substr(16), "k", std::nullopt, 2); }),
              "Only the app's local assistant is permitted.");
}

TEST(BoundedHTTP, AGetCarriesTheTokenAndNoContentTypeAndAPostCarriesJSON) {
    LoopbackServer server;
    const nlohmann::json get = nlohmann::json::parse(BoundedHTTP::send(server.url("/echo"), "key+/=", std::nullopt, 2));
    EXPECT_EQ(get["method"], "GET");
    EXPECT_EQ(get["authorization"], "Bearer key+/=");
    EXPECT_EQ(get["contentType"], "");
    EXPECT_EQ(get["bodyBytes"], 0);

    const nlohmann::json post =
        nlohmann::json::parse(BoundedHTTP::send(server.url("/echo"), "k", nlohmann::json{{"a", 1}}, 2));
    EXPECT_EQ(post["method"], "POST");
    EXPECT_EQ(post["contentType"], "application/json");
    EXPECT_EQ(post["bodyBytes"], 7);
}

TEST(BoundedHTTP, RequestBodiesAreCappedAtTheirExactLimit) {
    LoopbackServer server;
    const std::string wrapper = R"({"x":""})";
    const nlohmann::json largest = {{"x", std::string(BoundedHTTP::kMaxRequestBytes - wrapper.size(), 'a')}};
    ASSERT_EQ(largest.dump().size(), 4'999'999u);
    EXPECT_EQ(nlohmann::json::parse(BoundedHTTP::send(server.url("/echo"), "k", largest, 5))["bodyBytes"], 4'999'999);

    const nlohmann::json oneMore = {{"x", std::string(BoundedHTTP::kMaxRequestBytes - wrapper.size() + 1, 'a')}};
    EXPECT_EQ(testing::raisedMessage([&] { BoundedHTTP::send(server.url("/echo"), "k", oneMore, 5); }),
              "Local assistant request is too large.");
    EXPECT_THROW(BoundedHTTP::send(server.url("/echo"), "k", nlohmann::json{{"x", "\xff"}}, 5), nlohmann::json::exception);
}

TEST(BoundedHTTP, ResponsesAreCappedWhetherAnnouncedOrStreamed) {
    LoopbackServer server;
    EXPECT_EQ(BoundedHTTP::send(server.url("/sized/1000000"), "k", std::nullopt, 5).size(), 1'000'000u);
    EXPECT_EQ(BoundedHTTP::send(server.url("/streamed/1000000"), "k", std::nullopt, 5).size(), 1'000'000u);
    EXPECT_EQ(BoundedHTTP::send(server.url("/sized/0"), "k", std::nullopt, 5), "");
    for (const char* path : {"/sized/1000001", "/streamed/1000001"}) {
        const std::string message = testing::raisedMessage([&] { BoundedHTTP::send(server.url(path), "k", std::nullopt, 5); });
        EXPECT_NE(message, "") << path;
        EXPECT_NE(message, kNotCompleted) << path;
    }
}

TEST(BoundedHTTP, OnlyStatus200Succeeds) {
    LoopbackServer server;
    for (const char* path : {"/status/201", "/status/204", "/status/401", "/status/503", "/redirect"})
        EXPECT_EQ(testing::raisedMessage([&] { BoundedHTTP::send(server.url(path), "k", std::nullopt, 5); }), kNotCompleted) << path;
}

TEST(BoundedHTTP, TransportFailuresCarryTheClientsText) {
    int port = 0;
    {
        LoopbackServer closed;
        port = std::stoi(closed.url("").substr(17));
    }
    const std::string refused = testing::raisedMessage(
        [&] { BoundedHTTP::send("http://127.0.0.1:" + std::to_string(port) + "/v1/models", "k", std::nullopt, 2); });
    EXPECT_THAT(refused, HasSubstr("onnect"));
}

TEST(BoundedHTTP, CancellingTheCallerEndsTheExchangeOnce) {
    LoopbackServer server;
    std::stop_source stop;
    int cancellations = 0;
    int returns = 0;
    std::thread caller([&] {
        try {
            BoundedHTTP::send(server.url("/hang"), "k", std::nullopt, 60, stop.get_token());
            ++returns;
        } catch (const Cancelled&) {
            ++cancellations;
        }
    });
    while (server.waiting() == 0) std::this_thread::yield();
    stop.request_stop();
    caller.join();
    EXPECT_EQ(cancellations, 1);
    EXPECT_EQ(returns, 0);
    // A caller already stopped sends nothing that waits.
    EXPECT_THROW(BoundedHTTP::send(server.url("/hang"), "k", std::nullopt, 60, stop.get_token()), Cancelled);
}

}  // namespace
}  // namespace marrowick
