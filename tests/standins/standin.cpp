// A stand-in for an outside program. It records how it was started and then
// does what the test asks through its environment:
//
//   STANDIN_LOG       file to which one JSON line is appended when the program
//                     starts ("event":"start": name, program, cwd, args, mode,
//                     pid) and one when it ends normally ("event":"end").
//   STANDIN_MODE      ok (default): write every file of STANDIN_WRITE, exit 0
//                     none:    write nothing, exit 0
//                     partial: write only the first file, exit 0
//                     slow:    wait STANDIN_DELAY_MS (default 1500), then as ok
//                     fail:    write nothing, exit with STANDIN_EXIT (default 1)
//                     hang:    never finish by itself (gives up after
//                              STANDIN_HANG_MS, default 10 minutes, so a broken
//                              test leaves no process behind for ever)
//   STANDIN_WRITE     files to write, separated by ";": "path" writes a short
//                     text naming the stand-in, "path<source" copies source.
//                     Relative paths are taken from the working folder.
//   STANDIN_DELAY_MS, STANDIN_EXIT, STANDIN_HANG_MS as above.
//
// Each variable may be given for one stand-in only by appending its name with
// every character other than a letter or digit made "_": STANDIN_MODE_Veltrane_Exe
// applies to the copy named "Veltrane.Exe" and wins over STANDIN_MODE.

#include <cctype>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include <unistd.h>

namespace fs = std::filesystem;

namespace {

std::string g_suffix;

std::string setting(const char *key, const std::string &fallback = {})
{
    const std::string own = std::string(key) + "_" + g_suffix;
    if (const char *v = std::getenv(own.c_str()))
        return v;
    if (const char *v = std::getenv(key))
        return v;
    return fallback;
}

long number(const char *key, long fallback)
{
    const std::string text = setting(key);
    if (text.empty())
        return fallback;
    return std::strtol(text.c_str(), nullptr, 10);
}

std::string jsonText(const std::string &text)
{
    std::string out = "\"";
    for (const unsigned char c : text) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        default:
            if (c < 0x20) {
                char buffer[8];
                std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
                out += buffer;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string jsonList(const std::vector<std::string> &items)
{
    std::string out = "[";
    for (size_t i = 0; i < items.size(); ++i)
        out += (i ? "," : "") + jsonText(items[i]);
    return out + "]";
}

void logLine(const std::string &line)
{
    const std::string path = setting("STANDIN_LOG");
    if (path.empty())
        return;
    std::ofstream log(path, std::ios::app | std::ios::binary);
    log << line << '\n';
}

std::vector<std::string> split(const std::string &text, char separator)
{
    std::vector<std::string> out;
    std::string part;
    std::istringstream in(text);
    while (std::getline(in, part, separator))
        if (!part.empty())
            out.push_back(part);
    return out;
}

bool writeOne(const std::string &entry, const std::string &name)
{
    const size_t from = entry.find('<');
    const fs::path target = entry.substr(0, from);
    std::error_code ec;
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    if (from != std::string::npos) {
        fs::copy_file(entry.substr(from + 1), target, fs::copy_options::overwrite_existing, ec);
        return !ec;
    }
    std::ofstream out(target, std::ios::binary | std::ios::trunc);
    out << "Written by the stand-in " << name << "\r\n";
    return static_cast<bool>(out);
}

} // namespace

int main(int argc, char **argv)
{
    const std::string program = argv[0];
    const std::string name = fs::path(program).filename().string();
    for (const char c : name)
        g_suffix += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';

    std::vector<std::string> args(argv + 1, argv + argc);
    std::error_code ec;
    const std::string cwd = fs::current_path(ec).string();
    const std::string mode = setting("STANDIN_MODE", "ok");
    const long pid = static_cast<long>(getpid());

    logLine("{\"event\":\"start\",\"name\":" + jsonText(name) + ",\"program\":" + jsonText(program)
            + ",\"cwd\":" + jsonText(cwd) + ",\"args\":" + jsonList(args) + ",\"mode\":" + jsonText(mode)
            + ",\"pid\":" + std::to_string(pid) + "}");

    if (mode == "hang") {
        std::this_thread::sleep_for(std::chrono::milliseconds(number("STANDIN_HANG_MS", 600000)));
        return 0;
    }
    if (mode == "slow")
        std::this_thread::sleep_for(std::chrono::milliseconds(number("STANDIN_DELAY_MS", 1500)));
    if (mode == "fail") {
        std::cerr << name << ": failing as asked\n";
        const int code = static_cast<int>(number("STANDIN_EXIT", 1));
        logLine("{\"event\":\"end\",\"name\":" + jsonText(name) + ",\"pid\":" + std::to_string(pid)
                + ",\"exit\":" + std::to_string(code) + ",\"written\":[]}");
        return code;
    }

    std::vector<std::string> files = split(setting("STANDIN_WRITE"), ';');
    if (mode == "none")
        files.clear();
    else if (mode == "partial" && files.size() > 1)
        files.resize(1);
    std::vector<std::string> written;
    for (const std::string &entry : files)
        if (writeOne(entry, name))
            written.push_back(entry.substr(0, entry.find('<')));

    logLine("{\"event\":\"end\",\"name\":" + jsonText(name) + ",\"pid\":" + std::to_string(pid)
            + ",\"exit\":0,\"written\":" + jsonList(written) + "}");
    return 0;
}
