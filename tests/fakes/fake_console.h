#pragma once
// The console service in memory, for the host tests.
#include <map>
#include <memory>
#include <set>

#include "platform/console.h"

namespace velnor::testing {

class StringSink : public ITextSink {
public:
    explicit StringSink(std::string& text) : text_(text) {}
    bool Write(std::string_view utf8) override {
        text_.append(utf8.data(), utf8.size());
        return true;
    }
    bool Flush() override { return true; }

private:
    std::string& text_;
};

class FakeConsole : public IConsole {
public:
    ITextSink& StandardOutput() override { return output_; }
    ITextSink& StandardError() override { return error_; }
    std::unique_ptr<ITextSink> CreateTextFile(const std::string& path) override {
        if (unwritable.count(path)) return nullptr;
        return std::make_unique<StringSink>(files[path] = std::string());
    }
    std::optional<std::string> ReadFileBytes(const std::string& path) override {
        const auto it = files.find(path);
        if (it == files.end()) return std::nullopt;
        return it->second;
    }

    std::string output, error;
    std::map<std::string, std::string> files;  // by path as given
    std::set<std::string> unwritable;

private:
    StringSink output_{output}, error_{error};
};

}  // namespace velnor::testing
