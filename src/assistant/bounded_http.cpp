// BoundedHTTP on libcurl: one easy handle driven by its own multi handle per exchange, so that a
// stop request wakes the wait at once instead of at curl's next progress tick.
#include "assistant/bounded_http.h"

#include <cmath>
#include <stop_token>
#include <string_view>

#include <curl/curl.h>

#include "model/review_error.h"

namespace marrowick {
namespace {

constexpr const char* kNotLoopback = "Only the app's local assistant is permitted.";
constexpr const char* kTooLarge = "Local assistant request is too large.";
constexpr const char* kNotCompleted = "The local assistant could not complete this request.";
constexpr std::string_view kLoopbackPrefix = "http://127.0.0.1:";
constexpr int kMaxPort = 65535;
constexpr int kWait_ms = 1000;

void initialiseCurl() {
    static const CURLcode initialised = curl_global_init(CURL_GLOBAL_DEFAULT);
    if (initialised != CURLE_OK) throw ReviewError(curl_easy_strerror(initialised));
}

// One request and its response, from the first byte sent to the handle's clean-up.
class Exchange {
public:
    Exchange(const std::string& url, const std::string& token, std::string body, double timeout_s)
        : body_(std::move(body)), easy_(curl_easy_init()), multi_(curl_multi_init()) {
        if (!easy_ || !multi_) throw ReviewError(curl_easy_strerror(CURLE_OUT_OF_MEMORY));
        headers_ = curl_slist_append(headers_, ("Authorization: Bearer " + token).c_str());
        headers_ = curl_slist_append(headers_, "Expect:");  // no "100 Continue" round trip for large bodies
        configure(url, timeout_s);
        curl_multi_add_handle(multi_, easy_);
    }

    ~Exchange() {
        curl_multi_remove_handle(multi_, easy_);
        curl_easy_cleanup(easy_);
        curl_multi_cleanup(multi_);
        curl_slist_free_all(headers_);
    }

    Exchange(const Exchange&) = delete;
    Exchange& operator=(const Exchange&) = delete;

    std::string run(const std::stop_token& stop) {
        const std::stop_callback wake(stop, [this] { curl_multi_wakeup(multi_); });
        const CURLcode result = perform(stop);
        if (result != CURLE_OK && stop.stop_requested()) throw Cancelled();
        if (result != CURLE_OK) throw ReviewError(errorText_[0] ? errorText_ : curl_easy_strerror(result));
        if (status_ != 200) throw ReviewError(kNotCompleted);
        return std::move(data_);
    }

private:
    void configure(const std::string& url, double timeout_s) {
        curl_easy_setopt(easy_, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy_, CURLOPT_PROTOCOLS_STR, "http");
        curl_easy_setopt(easy_, CURLOPT_PROXY, "");
        curl_easy_setopt(easy_, CURLOPT_NOPROXY, "*");
        curl_easy_setopt(easy_, CURLOPT_FOLLOWLOCATION, 0L);
        curl_easy_setopt(easy_, CURLOPT_FORBID_REUSE, 1L);
        curl_easy_setopt(easy_, CURLOPT_NOSIGNAL, 1L);
        curl_easy_setopt(easy_, CURLOPT_ERRORBUFFER, errorText_);
        curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_);
        curl_easy_setopt(easy_, CURLOPT_HEADERFUNCTION, &Exchange::onHeader);
        curl_easy_setopt(easy_, CURLOPT_HEADERDATA, this);
        curl_easy_setopt(easy_, CURLOPT_WRITEFUNCTION, &Exchange::onData);
        curl_easy_setopt(easy_, CURLOPT_WRITEDATA, this);
        // Idle waiting (connecting, or no byte for a whole period) is bounded by the caller's
        // time limit; the whole exchange by that limit plus the grace.
        const auto idle_ms = static_cast<long>(std::ceil(timeout_s * 1000));
        curl_easy_setopt(easy_, CURLOPT_CONNECTTIMEOUT_MS, idle_ms);
        curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_LIMIT, 1L);
        curl_easy_setopt(easy_, CURLOPT_LOW_SPEED_TIME, std::max(1L, static_cast<long>(std::ceil(timeout_s))));
        curl_easy_setopt(easy_, CURLOPT_TIMEOUT_MS, idle_ms + static_cast<long>(BoundedHTTP::kExchangeGrace_s * 1000));
        if (body_.empty()) return;
        headers_ = curl_slist_append(headers_, "Content-Type: application/json");
        curl_easy_setopt(easy_, CURLOPT_HTTPHEADER, headers_);
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDS, body_.data());
        curl_easy_setopt(easy_, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(body_.size()));
    }

    CURLcode perform(const std::stop_token& stop) {
        for (;;) {
            int running = 0;
            const CURLMcode step = curl_multi_perform(multi_, &running);
            if (step != CURLM_OK) throw ReviewError(curl_multi_strerror(step));
            if (!running) return finalResult();
            if (stop.stop_requested()) throw Cancelled();
            const CURLMcode waited = curl_multi_poll(multi_, nullptr, 0, kWait_ms, nullptr);
            if (waited != CURLM_OK) throw ReviewError(curl_multi_strerror(waited));
        }
    }

    CURLcode finalResult() {
        int queued = 0;
        while (CURLMsg* message = curl_multi_info_read(multi_, &queued))
            if (message->msg == CURLMSG_DONE) return message->data.result;
        return CURLE_RECV_ERROR;
    }

    // The end of each header block: a final status is recorded and its announced length checked.
    static std::size_t onHeader(char* line, std::size_t size, std::size_t count, void* self) {
        auto& exchange = *static_cast<Exchange*>(self);
        const std::string_view text(line, size * count);
        if (text != "\r\n" && text != "\n") return size * count;
        long status = 0;
        curl_easy_getinfo(exchange.easy_, CURLINFO_RESPONSE_CODE, &status);
        if (status >= 100 && status < 200) return size * count;
        exchange.status_ = status;
        curl_off_t announced = -1;
        curl_easy_getinfo(exchange.easy_, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
        if (announced > static_cast<curl_off_t>(BoundedHTTP::kMaxResponseBytes)) return 0;
        return size * count;
    }

    static std::size_t onData(char* bytes, std::size_t size, std::size_t count, void* self) {
        auto& data = static_cast<Exchange*>(self)->data_;
        if (data.size() + size * count > BoundedHTTP::kMaxResponseBytes) return 0;
        data.append(bytes, size * count);
        return size * count;
    }

    std::string body_;
    CURL* easy_;
    CURLM* multi_;
    curl_slist* headers_ = nullptr;
    char errorText_[CURL_ERROR_SIZE] = {};
    std::string data_;
    long status_ = 0;
};

std::string encoded(const std::optional<nlohmann::json>& body) {
    if (!body) return {};
    std::string text = body->dump();
    if (text.size() > BoundedHTTP::kMaxRequestBytes) throw ReviewError(kTooLarge);
    return text;
}

}  // namespace

bool BoundedHTTP::loopback(const std::string& url) {
    if (!url.starts_with(kLoopbackPrefix)) return false;
    std::size_t at = kLoopbackPrefix.size();
    int port = 0;
    for (; at < url.size() && url[at] >= '0' && url[at] <= '9'; ++at) {
        port = port * 10 + (url[at] - '0');
        if (port > kMaxPort) return false;
    }
    if (at == kLoopbackPrefix.size()) return false;
    return at == url.size() || url[at] == '/' || url[at] == '?' || url[at] == '#';
}

std::string BoundedHTTP::send(const std::string& url, const std::string& token, const std::optional<nlohmann::json>& body,
                              double timeout_s, std::stop_token stop) {
    if (!loopback(url)) throw ReviewError(kNotLoopback);
    initialiseCurl();
    Exchange exchange(url, token, encoded(body), timeout_s);
    return exchange.run(stop);
}

}  // namespace marrowick
