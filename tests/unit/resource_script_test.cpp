// The resource script's accelerator table and setup dialog against the
// core's tables: the same keys in the same order sending the same ids, every
// id written with a name of the ids header.
#include <gtest/gtest.h>

#include <ctype.h>
#include <stdlib.h>
#include <string.h>

#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "session/settings_file.h"
#include "platform/accelerators.h"
#include "platform/ids.h"
#include "platform/key_script.h"
#include "platform/virtual_keys.h"
#include "shell/native/codepage.h"

namespace {

const std::string kSourceDir = TOLVANE_SOURCE_DIR;

// The whole text of a source file; empty when it cannot be read.
std::string ReadSource(const std::string& relative) {
    std::ifstream in(kSourceDir + "/" + relative, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// Blanks at both ends cut off.
std::string Trim(const std::string& s) {
    size_t a = s.find_first_not_of(" \t\r");
    size_t b = s.find_last_not_of(" \t\r");
    return a == std::string::npos ? "" : s.substr(a, b - a + 1);
}

// The lines between BEGIN and END of the resource whose header line begins
// with the text.
std::vector<std::string> ResourceBody(const std::string& script, const std::string& header) {
    std::vector<std::string> body;
    std::istringstream in(script);
    std::string line;
    bool found = false, inside = false;
    while (std::getline(in, line)) {
        std::string t = Trim(line);
        if (!found) {
            found = t.compare(0, header.size(), header) == 0;
        } else if (!inside) {
            inside = t == "BEGIN";
        } else if (t == "END") {
            break;
        } else if (!t.empty()) {
            body.push_back(t);
        }
    }
    return body;
}

// The comma-separated fields of a line, quotes kept, blanks trimmed.
std::vector<std::string> Fields(const std::string& line) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    for (char c : line) {
        if (c == '"') quoted = !quoted;
        if (c == ',' && !quoted) {
            fields.push_back(Trim(field));
            field.clear();
        } else {
            field += c;
        }
    }
    fields.push_back(Trim(field));
    return fields;
}

// The names and values of platform/ids.h, and the few Windows names the
// script uses.
std::map<std::string, long> KnownNames() {
    std::map<std::string, long> names = {{"IDOK", 1}, {"IDCANCEL", 2}, {"VK_F3", kVkF3}};
    std::istringstream in(ReadSource("platform/ids.h"));
    std::string directive, name, value;
    while (in >> directive) {
        if (directive != "#define") continue;
        in >> name >> value;
        names[name] = strtol(value.c_str(), nullptr, 0);
    }
    return names;
}

bool IsName(const std::string& field) {
    return !field.empty() && (isalpha((unsigned char)field[0]) || field[0] == '_');
}

// A field's value: a name, a number or a quoted character; false when it is
// none of those.
bool Resolve(const std::map<std::string, long>& names, const std::string& field, long* value) {
    if (field.size() == 3 && field[0] == '"' && field[2] == '"') {
        *value = (unsigned char)field[1];
        return true;
    }
    if (IsName(field)) {
        auto it = names.find(field);
        if (it == names.end()) return false;
        *value = it->second;
        return true;
    }
    char* end = nullptr;
    *value = strtol(field.c_str(), &end, 0);
    return !field.empty() && *end == '\0';
}

TEST(ResourceScript, AcceleratorsMatchTheCoreTable) {
    std::map<std::string, long> names = KnownNames();
    std::vector<std::string> rows =
        ResourceBody(ReadSource("shell/win32/tolvane.rc"), "TOLVANE ACCELERATORS");
    ASSERT_EQ(rows.size(), (size_t)kAcceleratorCount) << "entries of the accelerator table";
    for (int i = 0; i < kAcceleratorCount; ++i) {
        const Accelerator& a = kAccelerators[i];
        std::vector<std::string> f = Fields(rows[i]);
        ASSERT_GE(f.size(), 3u) << rows[i];
        long key = 0, id = 0;
        ASSERT_TRUE(Resolve(names, f[0], &key)) << rows[i];
        EXPECT_TRUE(IsName(f[1])) << "the id is written by its name: " << rows[i];
        ASSERT_TRUE(Resolve(names, f[1], &id)) << rows[i];
        int modifiers = 0;
        bool virtualKey = false, noInvert = false;
        for (size_t k = 2; k < f.size(); ++k) {
            if (f[k] == "VIRTKEY") virtualKey = true;
            if (f[k] == "NOINVERT") noInvert = true;
            if (f[k] == "CONTROL") modifiers |= kModCtrl;
            if (f[k] == "ALT") modifiers |= kModAlt;
            if (f[k] == "SHIFT") modifiers |= kModShift;
        }
        EXPECT_TRUE(virtualKey && noInvert) << rows[i];
        EXPECT_EQ(key, a.key) << a.name << ": " << rows[i];
        EXPECT_EQ(modifiers, a.modifiers) << a.name << ": " << rows[i];
        EXPECT_EQ(id, a.id) << a.name << ": " << rows[i];
    }
}

TEST(ResourceScript, DialogControlsUseTheIdsHeader) {
    std::map<std::string, long> names = KnownNames();
    std::vector<std::string> rows =
        ResourceBody(ReadSource("shell/win32/tolvane.rc"), "SETUP DIALOG");
    ASSERT_EQ(rows.size(), 16u) << "controls of the setup dialog";
    std::map<std::string, int> uses;
    for (const std::string& row : rows) {
        ASSERT_EQ(row.compare(0, 8, "CONTROL "), 0) << row;
        std::vector<std::string> f = Fields(row.substr(8));
        ASSERT_GE(f.size(), 3u) << row;
        long id = 0;
        EXPECT_TRUE(Resolve(names, f[1], &id)) << row;
        EXPECT_TRUE(IsName(f[1]) || f[1] == "-1") << "the id is written by its name: " << row;
        ++uses[f[1]];
    }
    // Every control id of the header stands in the dialog once.
    for (const auto& n : names) {
        if (n.first.compare(0, 10, "IDC_SETUP_") != 0) continue;
        EXPECT_EQ(uses[n.first], 1) << n.first;
    }
    EXPECT_EQ(uses["IDOK"], 1);
    EXPECT_EQ(uses["IDCANCEL"], 1);
}

// The setup dialog's check boxes are the table's, in its order, each with
// its label (the script is UTF-8, the table's labels code page 932).
TEST(ResourceScript, SetupCheckBoxesAreTheTables) {
    std::map<std::string, long> names = KnownNames();
    std::vector<std::string> rows =
        ResourceBody(ReadSource("shell/win32/tolvane.rc"), "SETUP DIALOG");
    size_t next = 0;
    for (const std::string& row : rows) {
        std::vector<std::string> f = Fields(row.substr(8));
        long id = 0;
        if (f.size() < 3 || f[2] != "\"Button\"" ||
            row.find("BS_AUTOCHECKBOX") == std::string::npos)
            continue;
        ASSERT_LT(next, (size_t)kSetupSwitchCount) << row;
        const SetupCheckBox& box = kSetupCheckBoxes[next++];
        EXPECT_TRUE(Resolve(names, f[1], &id)) << row;
        EXPECT_EQ(id, box.control) << row;
        std::string label = Cp932ToUtf8(box.label, strlen(box.label));
        EXPECT_EQ(f[0], "\"" + label + "\"") << row;
    }
    EXPECT_EQ(next, (size_t)kSetupSwitchCount);
}

} // namespace
