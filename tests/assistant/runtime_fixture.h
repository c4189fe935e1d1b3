// A runtime folder for tests: the stand-in server as "Helpers/llama-server", two small model
// files in "LocalVision/", the configuration that points at them, and readers of what the
// stand-in records.
#pragma once

#include <signal.h>
#include <unistd.h>
#include <sys/stat.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <nlohmann/json.hpp>

#include "assistant/internal/file_digest.h"
#include "assistant/runtime_configuration.h"
#include "model/uuid.h"

namespace marrowick {

class RuntimeFolder {
public:
    RuntimeFolder() : root_(std::filesystem::temp_directory_path() / ("marrowick-runtime-" + Uuid::random().text())) {
        std::filesystem::create_directories(root_ / "Helpers");
        std::filesystem::create_directories(root_ / "LocalVision");
        chmod(root_.c_str(), 0755);
        chmod((root_ / "Helpers").c_str(), 0755);
        std::filesystem::copy_file(MARROWICK_STAND_IN_SERVER, root_ / "Helpers" / "llama-server");
        chmod((root_ / "Helpers" / "llama-server").c_str(), 0755);
        write(RuntimeConfiguration::kModelFile, "language model weights");
        write(RuntimeConfiguration::kProjectorFile, "vision projector weights");
        configuration_ = RuntimeConfiguration::bundled(root_);
        configuration_.modelDigest = fileSHA256(configuration_.modelPath(), {});
        configuration_.projectorDigest = fileSHA256(configuration_.projectorPath(), {});
        configuration_.probePause = std::chrono::milliseconds(1);
        configuration_.idleDelay = std::chrono::hours(1);
    }

    ~RuntimeFolder() {
        for (const int pid : pids()) kill(pid, SIGKILL);
        std::error_code ignored;
        std::filesystem::remove_all(root_, ignored);
    }
    RuntimeFolder(const RuntimeFolder&) = delete;
    RuntimeFolder& operator=(const RuntimeFolder&) = delete;

    const std::filesystem::path& root() const { return root_; }
    std::filesystem::path models() const { return root_ / "LocalVision"; }
    RuntimeConfiguration& configuration() { return configuration_; }

    void write(const std::string& name, const std::string& text) const { std::ofstream(models() / name) << text; }
    void script(const nlohmann::json& behaviour) const { write("stand-in.json", behaviour.dump()); }
    // A chat answer the stand-in gives: a completion whose first choice has this content.
    static nlohmann::json answer(const std::string& content, const nlohmann::json& finishReason = "stop") {
        nlohmann::json body = {{"object", "chat.completion"},
                               {"choices", {{{"index", 0}, {"finish_reason", finishReason},
                                             {"message", {{"role", "assistant"}, {"content", content}}}}}}};
        return {{"status", 200}, {"body", body.dump()}};
    }

    std::vector<std::string> lines(const std::string& name) const {
        std::ifstream file(models() / name);
        std::vector<std::string> result;
        for (std::string line; std::getline(file, line);) result.push_back(line);
        return result;
    }
    std::vector<int> pids() const {
        std::vector<int> result;
        for (const std::string& line : lines("pids")) result.push_back(std::stoi(line));
        return result;
    }
    int probes() const {
        const std::vector<std::string> text = lines("probes");
        return text.empty() ? 0 : std::stoi(text.front());
    }
    std::vector<nlohmann::json> requests() const {
        std::vector<nlohmann::json> result;
        for (const std::string& line : lines("requests.jsonl")) result.push_back(nlohmann::json::parse(line));
        return result;
    }

    // Waits (up to ten seconds) until the predicate holds; true when it did.
    template <class Predicate>
    static bool eventually(Predicate predicate) {
        for (int i = 0; i < 1000; ++i) {
            if (predicate()) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return predicate();
    }

    // The process has ended (gone, or a zombie awaiting its reaper).
    static bool ended(int pid) {
        std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
        std::string text;
        if (!std::getline(stat, text)) return true;
        const std::size_t close = text.rfind(')');
        return close != std::string::npos && close + 2 < text.size() && (text[close + 2] == 'Z' || text[close + 2] == 'X');
    }
    static bool endsSoon(int pid) { return eventually([pid] { return ended(pid); }); }

private:
    std::filesystem::path root_;
    RuntimeConfiguration configuration_;
};

}  // namespace marrowick
