// The one HTTP client of the local assistant: loopback only, bounded in size and time.
#pragma once

#include <optional>
#include <stop_token>
#include <string>

#include <nlohmann/json.hpp>

namespace marrowick {

class BoundedHTTP {
public:
    static constexpr std::size_t kMaxRequestBytes = 4'999'999;
    static constexpr std::size_t kMaxResponseBytes = 1'000'000;
    static constexpr double kExchangeGrace_s = 5;

    // One exchange with the local runtime server at `url` ("http://127.0.0.1:PORT/..."), with
    // `token` as the bearer token; a POST of the compact JSON `body` when given, else a GET.
    // `timeout_s` bounds idle waiting; the whole exchange may take 5 seconds more. Returns the
    // response body of a 200 answer. Throws ReviewError for a refused address, an oversized
    // request, any other status, an oversized answer or a transport failure (curl's text), and
    // Cancelled when `stop` is requested. Nothing survives between exchanges: each has its own
    // connection, no proxy, no cookies, no redirects.
    static std::string send(const std::string& url, const std::string& token, const std::optional<nlohmann::json>& body,
                            double timeout_s, std::stop_token stop = {});

    // Whether `url` is plain HTTP to host 127.0.0.1 with an explicit port, written exactly so.
    static bool loopback(const std::string& url);
};

}  // namespace marrowick
