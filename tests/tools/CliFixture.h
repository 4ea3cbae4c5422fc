#pragma once
// A temporary program folder per test and runs of the built orvoview-cli in it.
#include "common/TempFolder.h"
#include "tests/tools/MiniJson.h"
#include "tests/tools/ToolRunner.h"
#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using Args = std::vector<std::string>;

class CliTest : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::create_directories(home()); }

    std::filesystem::path dir() const { return m_dir; }
    // The program folder: ORVOVIEW_HOME of every run unless a test passes --home.
    std::filesystem::path home() const { return m_dir / "home"; }
    std::filesystem::path dataFile() const { return home() / "DATA" / "Orvo.DAT"; }

    tooltest::RunOptions runOptions(const std::string& input = {}) const {
        tooltest::RunOptions options;
        options.cwd = m_dir;
        options.env = {{"ORVOVIEW_HOME", home().string()}};
        options.input = input;
        return options;
    }
    tooltest::RunResult cli(const std::vector<std::string>& args, const std::string& input = {}) {
        return tooltest::run(ORVOVIEW_CLI, args, runOptions(input));
    }
    // Starts the tool and returns at once.
    tooltest::Spawned cliStart(const std::vector<std::string>& args) {
        return tooltest::spawn(ORVOVIEW_CLI, args, runOptions());
    }

    static minijson::Value json(const tooltest::RunResult& r) { return minijson::parse(r.out); }

    // What the JSON Schema of the tool finds wrong with a document (empty: valid). Checked by
    // Debian's python3-jsonschema.
    static std::string schemaProblems(const std::string& document) {
        tooltest::RunOptions options;
        options.input = document;
        auto r = tooltest::run("/usr/bin/python3", {CHECK_SCHEMA_PY, CLI_SCHEMA_JSON}, options);
        if (r.status == 0)
            return {};
        return "schema (status " + std::to_string(r.status) + "): " + r.out + r.err;
    }

    void writeFile(const std::filesystem::path& path, const std::string& bytes) {
        std::filesystem::create_directories(path.parent_path());
        std::ofstream f(path, std::ios::binary);
        f << bytes;
    }
    static std::string readFile(const std::filesystem::path& path) {
        return tooltest::readWhole(path);
    }

private:
    TempFolder m_folder;
    const std::filesystem::path& m_dir = m_folder.path();
};
