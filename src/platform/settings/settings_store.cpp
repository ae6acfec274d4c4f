#include "platform/settings/settings_store.h"

#include "platform/files/locations.h"
#include "platform/files/path.h"
#include "platform/text/cp1252.h"

#include <cctype>
#include <cstdio>
#include <cstring>

namespace q71 {

struct SettingsKey {
    SettingsNode* node;
};

namespace {

std::unique_ptr<SettingsNode> machineHive = std::make_unique<SettingsNode>();
std::unique_ptr<SettingsNode> userHive = std::make_unique<SettingsNode>();
SettingsKey machineRoot{machineHive.get()};
SettingsKey userRoot{userHive.get()};
bool settingsLoaded = false;

std::string lower(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return out;
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t'))
        s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

SettingsNode* child(SettingsNode* node, std::string_view name, bool create) {
    std::string key = lower(name);
    auto it = node->children.find(key);
    if (it != node->children.end())
        return it->second.get();
    if (!create)
        return nullptr;
    return node->children.emplace(key, std::make_unique<SettingsNode>()).first->second.get();
}

// A quoted string with \" and \\ escapes, then ${DATA} and ${USER} expanded; false when malformed.
bool parseQuoted(std::string_view s, const std::string& dataRoot, const std::string& userRootPath,
                 std::string& out, std::string& message) {
    if (s.size() < 2 || s.front() != '"' || s.back() != '"') {
        message = "expected a quoted string";
        return false;
    }
    s = s.substr(1, s.size() - 2);
    std::string raw;
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '"') {
            message = "a quote inside a string must be written \\\"";
            return false;
        }
        if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '"' || s[i + 1] == '\\'))
            ++i;
        raw += s[i];
    }
    std::string expanded;
    for (size_t i = 0; i < raw.size();) {
        if (raw.compare(i, 7, "${DATA}") == 0)
            expanded += dataRoot, i += 7;
        else if (raw.compare(i, 7, "${USER}") == 0)
            expanded += userRootPath, i += 7;
        else
            expanded += raw[i++];
    }
    size_t bad = 0;
    if (!utf8ToCp1252(expanded, out, bad)) {
        message = "text is not UTF-8 of characters that Windows-1252 has";
        return false;
    }
    return true;
}

bool parseDword(std::string_view s, std::string& out, std::string& message) {
    int base = 10;
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X'))
        base = 16, s.remove_prefix(2);
    if (s.empty() || s.size() > 10) {
        message = "expected a 32-bit number";
        return false;
    }
    uint64_t v = 0;
    for (char c : s) {
        int digit = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                    : base == 16 && std::isxdigit(static_cast<unsigned char>(c))
                        ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                        : -1;
        if (digit < 0) {
            message = "expected a 32-bit number";
            return false;
        }
        v = v * base + digit;
    }
    if (v > 0xFFFFFFFFu) {
        message = "number does not fit in 32 bits";
        return false;
    }
    out.assign(4, '\0');
    for (int i = 0; i < 4; ++i)
        out[i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    return true;
}

std::string readWholeFile(const std::string& path, bool& exists) {
    std::FILE* f = fileOpen(path, "rb");
    exists = f != nullptr;
    std::string contents;
    if (!f)
        return contents;
    char buffer[16384];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0)
        contents.append(buffer, n);
    std::fclose(f);
    return contents;
}

} // namespace

bool settingsParse(std::string_view contents, std::string_view fileName, const std::string& dataRoot,
                   const std::string& userRootPath, SettingsNode& machine, SettingsNode& user,
                   std::string& error) {
    SettingsNode* section = nullptr;
    int lineNumber = 0;
    auto fail = [&](const std::string& message) {
        error = std::string(fileName) + ":" + std::to_string(lineNumber) + ": " + message;
        return false;
    };
    if (contents.substr(0, 3) == "\xEF\xBB\xBF")
        contents.remove_prefix(3);
    while (!contents.empty()) {
        ++lineNumber;
        size_t end = contents.find('\n');
        std::string_view line = trim(contents.substr(0, end));
        contents.remove_prefix(end == std::string_view::npos ? contents.size() : end + 1);
        if (line.empty() || line[0] == ';' || line[0] == '#')
            continue;
        if (line[0] == '[') {
            if (line.back() != ']')
                return fail("a section must end with ']'");
            std::string_view path = line.substr(1, line.size() - 2);
            size_t slash = path.find('\\');
            std::string root = lower(path.substr(0, slash));
            if (root == "hkey_local_machine")
                section = &machine;
            else if (root == "hkey_current_user")
                section = &user;
            else
                return fail("a section must start with HKEY_LOCAL_MACHINE or HKEY_CURRENT_USER");
            while (slash != std::string_view::npos) {
                path.remove_prefix(slash + 1);
                slash = path.find('\\');
                std::string_view name = path.substr(0, slash);
                if (name.empty())
                    return fail("empty key name in the section");
                section = child(section, name, true);
            }
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            return fail("expected name = value");
        if (!section)
            return fail("a value before the first section");
        std::string_view name = trim(line.substr(0, equals));
        std::string_view text = trim(line.substr(equals + 1));
        if (name.empty())
            return fail("a value without a name");
        SettingsValue value;
        std::string message;
        bool ok;
        if (text.substr(0, 6) == "dword:") {
            value.type = kValueDword;
            ok = parseDword(trim(text.substr(6)), value.data, message);
        } else if (text.substr(0, 7) == "expand:") {
            value.type = kValueExpandString;
            ok = parseQuoted(trim(text.substr(7)), dataRoot, userRootPath, value.data, message);
        } else {
            value.type = kValueString;
            ok = parseQuoted(text, dataRoot, userRootPath, value.data, message);
        }
        if (!ok)
            return fail(message);
        if (!section->values.emplace(lower(name), std::move(value)).second)
            return fail("the value " + std::string(name) + " is given twice");
    }
    return true;
}

namespace {
void installHives(std::unique_ptr<SettingsNode> machine, std::unique_ptr<SettingsNode> user) {
    machineHive = std::move(machine);
    userHive = std::move(user);
    machineRoot.node = machineHive.get();
    userRoot.node = userHive.get();
    settingsLoaded = true;
}
} // namespace

bool settingsLoadText(std::string_view contents, std::string& error) {
    auto machine = std::make_unique<SettingsNode>();
    auto user = std::make_unique<SettingsNode>();
    if (!settingsParse(contents, "settings", locationDataRoot(), locationUserRoot(), *machine, *user, error))
        return false;
    installHives(std::move(machine), std::move(user));
    return true;
}

void settingsUnload() {
    installHives(std::make_unique<SettingsNode>(), std::make_unique<SettingsNode>());
    settingsLoaded = false;
}

namespace {
// Reads the data set's settings file and, when asked, the player's, and installs them; false with
// the reason, and nothing installed, when one of them exists but is malformed.
bool loadHives(bool withPlayerFile, std::string& error) {
    auto machine = std::make_unique<SettingsNode>();
    auto user = std::make_unique<SettingsNode>();
    std::string dataRoot = locationDataRoot(), userRootPath = locationUserRoot();
    for (const std::string& folder : {dataRoot, withPlayerFile ? userRootPath : std::string()}) {
        if (folder.empty())
            continue;
        std::string path = folder + "/settings.ini";
        bool exists;
        std::string contents = readWholeFile(path, exists);
        if (exists && !settingsParse(contents, path, dataRoot, userRootPath, *machine, *user, error))
            return false;
    }
    installHives(std::move(machine), std::move(user));
    return true;
}
} // namespace

bool settingsLoad(std::string& error) {
    if (settingsLoaded)
        return true;
    if (loadHives(true, error))
        return true;
    // A damaged file of the player's must not take the data set's settings with it, or the
    // program would no longer find its data: those are installed alone, and the error reported.
    std::string dataSetError;
    loadHives(false, dataSetError);
    return false;
}

SettingsKey* settingsRootKey(SettingsRoot root) {
    return root == SettingsRoot::LocalMachine ? &machineRoot : &userRoot;
}

long settingsOpenKey(SettingsKey* parent, std::string_view name, bool create, SettingsKey** out) {
    if (!parent || !out)
        return kSettingsInvalidParameter;
    SettingsNode* node = child(parent->node, name, create);
    if (!node)
        return kSettingsNotFound;
    *out = new SettingsKey{node};
    return kSettingsSuccess;
}

long settingsQueryValue(SettingsKey* key, std::string_view name, uint32_t* type, void* data, uint32_t* size) {
    if (!key)
        return kSettingsInvalidParameter;
    auto it = key->node->values.find(lower(name));
    if (it == key->node->values.end())
        return kSettingsNotFound;
    const SettingsValue& value = it->second;
    bool text = value.type != kValueDword;
    uint32_t needed = static_cast<uint32_t>(value.data.size() + (text ? 1 : 0));
    if (type)
        *type = value.type;
    if (!size)
        return data ? kSettingsInvalidParameter : kSettingsSuccess;
    uint32_t room = *size;
    *size = needed;
    if (!data)
        return kSettingsSuccess;
    if (room < needed)
        return kSettingsMoreData;
    std::memcpy(data, value.data.data(), value.data.size());
    if (text)
        static_cast<char*>(data)[value.data.size()] = '\0';
    return kSettingsSuccess;
}

void settingsCloseKey(SettingsKey* key) {
    if (key != &machineRoot && key != &userRoot)
        delete key;
}

} // namespace q71
