// popen and soffice for the tests that read files back with other programs.
#include "tests/OtherReaders.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "tests/TestFiles.h"

namespace glossel::test {

bool onPath(const std::string& program) {
    const char* path = std::getenv("PATH");
    std::istringstream directories(path ? path : "");
    for (std::string directory; std::getline(directories, directory, ':');) {
        if (::access((directory + "/" + program).c_str(), X_OK) == 0) {
            return true;
        }
    }
    return false;
}

std::string commandOutput(const std::string& command) {
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        ADD_FAILURE() << "cannot run " << command;
        return {};
    }
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    EXPECT_EQ(::pclose(pipe), 0) << command;
    return output;
}

std::vector<std::vector<std::string>> parseCsv(const std::string& text) {
    std::vector<std::vector<std::string>> rows(1);
    std::string field;
    bool quoted = false;
    const auto endField = [&] {
        rows.back().push_back(field);
        field.clear();
    };
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            endField();
        } else if (c == '\n') {
            endField();
            rows.emplace_back();
        } else if (c != '\r') {
            field += c;
        }
    }
    if (!field.empty() || !rows.back().empty()) {
        endField();
    } else {
        rows.pop_back();
    }
    for (auto& row : rows) {
        while (!row.empty() && row.back().empty()) {
            row.pop_back();
        }
    }
    return rows;
}

std::vector<std::vector<std::string>> libreOfficeCsv(const std::string& directory,
                                                     const std::string& file) {
    const std::string command =
        "cd '" + directory + "' && soffice -env:UserInstallation=file://" + directory + "/profile" +
        " --headless --convert-to 'csv:Text - txt - csv (StarCalc):44,34,76'"
        " --outdir out '" +
        file + "' >/dev/null 2>&1";
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    const std::filesystem::path csv =
        std::filesystem::path(directory) / "out" / std::filesystem::path(file).stem();
    const auto bytes = readBytes(csv.string() + ".csv");
    return parseCsv(std::string(bytes.begin(), bytes.end()));
}

std::string xliffSchemaErrors(const std::string& path) {
    const std::string command = "xmllint --nonet --noout --schema '" +
                                dataPath("xliff/schema/xliff-core-1.2-strict.xsd") + "' '" + path +
                                "' 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    if (!pipe) {
        return "cannot run " + command;
    }
    std::string output;
    char buffer[4096];
    for (std::size_t got; (got = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
        output.append(buffer, got);
    }
    return ::pclose(pipe) == 0 ? std::string() : output;
}

namespace {

std::string fromHex(const std::string& hex) {
    std::string bytes;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2) {
        bytes += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    }
    return bytes;
}

}  // namespace

std::vector<ToolkitUnit> translateToolkitUnits(const std::string& path) {
    const std::string output = commandOutput("/usr/bin/python3 '" +
                                             dataPath("../oracles/translate_toolkit_units.py") +
                                             "' '" + path + "'");
    std::vector<ToolkitUnit> units;
    std::istringstream lines(output);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream parts(line);
        for (std::string field; std::getline(parts, field, '\t');) {
            fields.push_back(field);
        }
        fields.resize(5);
        units.push_back({fields[0], fields[1], fromHex(fields[2]),
                         fields[3] == "-" ? "-" : fromHex(fields[3]), fromHex(fields[4])});
    }
    return units;
}

}  // namespace glossel::test
