// Build-time tool: turns the ten pool files (one item per line, LF ends) into
// a C++ source holding each block as an array of string literals. It refuses
// a block that is not 7N+1 items ending in "ENDofPOOL" or that would not fit
// the smallest table a block is loaded into, so a bad pool fails the build.
#include <cstdio>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr int kSmallestTableRows = 151;

std::vector<std::string> readItems(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream whole;
    whole << in.rdbuf();
    const std::string text = whole.str();
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        items.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return items;
}

void check(const std::string& path, const std::vector<std::string>& items) {
    if (items.empty() || items.size() % 7 != 1 || items.back() != "ENDofPOOL")
        throw std::runtime_error(path + ": not 7N+1 items ending in ENDofPOOL");
    if (items.size() / 7 + 2 > kSmallestTableRows)
        throw std::runtime_error(path + ": too many questions for the tables");
    for (std::size_t i = 0; i + 1 < items.size(); ++i) {
        if (items[i] == "ENDofPOOL") throw std::runtime_error(path + ": early ENDofPOOL");
    }
}

std::string literal(const std::string& item) {
    std::string out = "\"";
    for (unsigned char c : item) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c < 0x20 || c >= 0x7F) {
            char buffer[8];
            std::snprintf(buffer, sizeof buffer, "\\%03o", c);
            out += buffer;
        } else {
            out += static_cast<char>(c);
        }
    }
    return out + "\"";
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 12) {
        std::cerr << "usage: embed_pool OUTPUT T0.txt ... T9.txt\n";
        return 2;
    }
    try {
        std::ostringstream out;
        out << "// Generated from data/pool by tools/embed_pool. Do not edit.\n"
               "#include <array>\n#include <string_view>\n\n"
               "namespace pathwick::generated {\n"
               "using namespace std::string_view_literals;\n\n";
        for (int block = 0; block < 10; ++block) {
            const auto items = readItems(argv[2 + block]);
            check(argv[2 + block], items);
            out << "inline constexpr std::array<std::string_view, " << items.size() << "> kPool"
                << block << "{\n";
            for (const auto& item : items) out << "    " << literal(item) << "sv,\n";
            out << "};\n"
                << "static_assert(kPool" << block << ".size() % 7 == 1 && kPool" << block
                << ".back() == \"ENDofPOOL\");\n\n";
        }
        out << "}  // namespace pathwick::generated\n";
        std::ofstream file(argv[1], std::ios::binary);
        file << out.str();
        if (!file) throw std::runtime_error("cannot write output");
    } catch (const std::exception& error) {
        std::cerr << "embed_pool: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
