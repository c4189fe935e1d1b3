// A stand-in for llama-server in tests: same command line, key handling, loading answers and
// response shapes, with its behaviour scripted by "stand-in.json" in the model folder:
//   "exitAtStart": true        ends with status 1 before listening (a port it cannot take)
//   "loadingRequests": N       answers 503 "Loading model" to the first N requests
//   "neverReady": true         answers 503 "Loading model" to every request
//   "listedId": "other"        lists this model id instead of the alias
//   "answers": [{"status": 200, "body": "...", "delayMs": 0}, ...]
//                              the chat answers in turn (the last one repeats); re-read per request
// It records its arguments and environment in "launch.txt", its process id in "pids", the number
// of model-list requests in "probes" and every chat request body as one line of "requests.jsonl".
#include <signal.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <httplib.h>
#include <nlohmann/json.hpp>

extern char** environ;

namespace {

namespace fs = std::filesystem;

constexpr const char* kLoading = R"({"error":{"message":"Loading model","type":"unavailable_error","code":503}})";
constexpr const char* kInvalidKey = R"({"error":{"message":"Invalid API Key","type":"authentication_error","code":401}})";

std::string argument(const std::vector<std::string>& arguments, const std::string& flag) {
    for (std::size_t i = 0; i + 1 < arguments.size(); ++i)
        if (arguments[i] == flag) return arguments[i + 1];
    return {};
}

nlohmann::json script(const fs::path& folder) {
    std::ifstream file(folder / "stand-in.json");
    if (!file) return nlohmann::json::object();
    return nlohmann::json::parse(file, nullptr, false);
}

void append(const fs::path& file, const std::string& line) { std::ofstream(file, std::ios::app) << line << "\n"; }

void record(const fs::path& folder, const std::vector<std::string>& arguments) {
    std::ofstream launch(folder / "launch.txt");
    for (const std::string& each : arguments) launch << each << "\n";
    launch << "--environment--\n";
    for (char** entry = environ; *entry; ++entry) launch << *entry << "\n";
    append(folder / "pids", std::to_string(getpid()));
}

class StandIn {
public:
    StandIn(fs::path folder, std::string alias, nlohmann::json behaviour)
        : folder_(std::move(folder)), alias_(std::move(alias)), behaviour_(std::move(behaviour)) {
        const char* key = std::getenv("LLAMA_API_KEY");
        key_ = key ? key : "";
    }

    void serve(httplib::Server& server) {
        server.set_pre_routing_handler([this](const httplib::Request& request, httplib::Response& response) {
            if (request.path == "/v1/models") std::ofstream(folder_ / "probes") << ++probes_;
            if (loading()) return reply(response, 503, kLoading);
            if (request.path == "/v1/models" || request.path == "/health") return httplib::Server::HandlerResponse::Unhandled;
            if (request.get_header_value("Authorization") != "Bearer " + key_) return reply(response, 401, kInvalidKey);
            return httplib::Server::HandlerResponse::Unhandled;
        });
        server.Get("/v1/models", [this](const httplib::Request&, httplib::Response& response) {
            const std::string id = behaviour_.value("listedId", alias_);
            nlohmann::json listing = {{"object", "list"}, {"data", {{{"id", id}, {"object", "model"}, {"owned_by", "llamacpp"}}}}};
            response.set_content(listing.dump(), "application/json");
        });
        server.Post("/v1/chat/completions", [this](const httplib::Request& request, httplib::Response& response) {
            append(folder_ / "requests.jsonl", request.body);
            const nlohmann::json answers = script(folder_).value("answers", nlohmann::json::array());
            const std::size_t turn = chats_++;
            if (answers.empty()) return;
            const nlohmann::json& answer = answers[std::min(turn, answers.size() - 1)];
            std::this_thread::sleep_for(std::chrono::milliseconds(answer.value("delayMs", 0)));
            response.status = answer.value("status", 200);
            response.set_content(answer.value("body", ""), "application/json");
        });
    }

private:
    // The loading state comes before the key check, as in the real server.
    bool loading() {
        ++requests_;
        if (behaviour_.value("neverReady", false)) return true;
        return requests_ <= behaviour_.value("loadingRequests", 0);
    }

    static httplib::Server::HandlerResponse reply(httplib::Response& response, int status, const char* body) {
        response.status = status;
        response.set_content(body, "application/json; charset=utf-8");
        return httplib::Server::HandlerResponse::Handled;
    }

    fs::path folder_;
    std::string alias_;
    nlohmann::json behaviour_;
    std::string key_;
    std::atomic<int> requests_ = 0;
    std::atomic<int> probes_ = 0;
    std::atomic<std::size_t> chats_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
    // A client that gives up mid-answer (a probe's time limit) must not end the server.
    signal(SIGPIPE, SIG_IGN);
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    const fs::path folder = fs::path(argument(arguments, "--model")).parent_path();
    record(folder, arguments);
    const nlohmann::json behaviour = script(folder);
    if (behaviour.value("exitAtStart", false)) return 1;
    StandIn standIn(folder, argument(arguments, "--alias"), behaviour);
    httplib::Server server;
    standIn.serve(server);
    if (!server.listen(argument(arguments, "--host"), std::stoi(argument(arguments, "--port")))) {
        std::cerr << "couldn't bind HTTP server socket\n";
        return 1;
    }
    return 0;
}
