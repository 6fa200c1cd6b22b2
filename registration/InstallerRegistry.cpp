// Prints, for the installer, the registry entries of one library as a WiX
// include: the entries DllRegisterServer writes, read from the very tables it
// applies, and those the platform's RegisterTypeLib adds for the library's
// type library, read from the library's IDL.  The installer has no
// self-registration, so these are how an installed library gets registered.
//
//   InstallerRegistry Humicalc|Humichart <file id> <library.idl> win32|win64 <own.wxi> <shared.wxi>
//
// %MODULE% becomes [#<file id>], the installed file's full path.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "RegistryEntries.h"

namespace {

std::string Narrow(const wchar_t* text) {
    std::string out;
    for (; *text; ++text) {
        if (*text > 0x7F) throw std::runtime_error("registry text outside ASCII");
        out += static_cast<char>(*text);
    }
    return out;
}

std::string GuidText(const GUID& guid) {
    char text[40];
    std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", guid.Data1, guid.Data2,
                  guid.Data3, guid.Data4[0], guid.Data4[1], guid.Data4[2], guid.Data4[3], guid.Data4[4],
                  guid.Data4[5], guid.Data4[6], guid.Data4[7]);
    return text;
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size()) text.replace(at, from.size(), to);
    return text;
}

std::string Xml(std::string text) {
    text = Replace(text, "&", "&amp;");
    text = Replace(text, "<", "&lt;");
    text = Replace(text, ">", "&gt;");
    return Replace(text, "\"", "&quot;");
}

// Square brackets are the installer's property references; our own
// [#file] is the only one meant.
std::string Formatted(const std::string& text) { return Replace(Replace(text, "[", "[\\[]"), "]", "[\\]]"); }

// On 64-bit Windows the class and interface keys exist once per registry
// view, while ProgIDs, AppIDs and type libraries (but for the path of each
// bitness, under win32 or win64) are one for both.  The installer gets them
// in two parts: "own", in the component of the library, and "shared", in a
// component that the 32-bit and the 64-bit package have in common, so that
// removing one package leaves them to the other.
struct Writer {
    std::ostream& own;
    std::ostream& shared;
    bool sharedKeyPath = false;

    static bool PerView(const std::string& key) {
        return key.starts_with("CLSID\\") || key.starts_with("Interface\\") || key.find("\\0\\win") != std::string::npos;
    }
    std::ostream& For(const std::string& key) { return PerView(key) ? own : shared; }

    void Value(const std::string& key, const std::string* name, const std::string& formattedData) {
        std::ostream& out = For(key);
        out << "  <RegistryValue Root=\"HKCR\" Key=\"" << Xml(key) << "\"";
        if (name) out << " Name=\"" << Xml(*name) << "\"";
        out << " Type=\"string\" Value=\"" << Xml(formattedData) << "\"";
        if (&out == &shared && !sharedKeyPath) {
            out << " KeyPath=\"yes\"";
            sharedKeyPath = true;
        }
        out << "/>\n";
    }
    void Value(const std::string& key, const std::string& formattedData) { Value(key, nullptr, formattedData); }
    // A key the install creates and the uninstall removes whole, whatever
    // else came to live under it: the installer's value name "*" without a
    // value (an empty value is no value to the installer).
    void OwnedKey(const std::string& key) {
        For(key) << "  <RegistryValue Root=\"HKCR\" Key=\"" << Xml(key) << "\" Name=\"*\" Type=\"string\" Value=\"\"/>\n";
    }
};

struct IdlItem {
    std::string kind, name, uuid, version, helpstring;
};

// The attributed declarations of an IDL file: interfaces, dispinterfaces and
// the library, each with the attributes registration uses.
std::vector<IdlItem> ReadIdl(const std::string& path) {
    std::ifstream file(path);
    if (!file) throw std::runtime_error("cannot read " + path);
    std::stringstream text;
    text << file.rdbuf();
    std::string source = std::regex_replace(text.str(), std::regex("//[^\n]*"), "");
    const std::regex declaration(R"(\[([^\]]*)\]\s*(interface|dispinterface|library)\s+(\w+))");
    const auto attribute = [](const std::string& attributes, const char* name) {
        std::smatch match;
        const std::regex pattern(std::string(name) + R"re(\s*\(\s*"?([^")]*)"?\s*\))re");
        return std::regex_search(attributes, match, pattern) ? match[1].str() : std::string();
    };
    std::vector<IdlItem> items;
    for (std::sregex_iterator it(source.begin(), source.end(), declaration), end; it != end; ++it) {
        const std::string attributes = (*it)[1];
        IdlItem item{(*it)[2], (*it)[3], attribute(attributes, "uuid"), attribute(attributes, "version"),
                     attribute(attributes, "helpstring")};
        if (item.uuid.empty()) continue;  // a reference to an interface declared elsewhere
        for (char& c : item.uuid) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        item.uuid = "{" + item.uuid + "}";
        items.push_back(item);
    }
    return items;
}

// What RegisterTypeLib records: the library under TypeLib, each automation
// interface under Interface with its marshaller.
void WriteTypeLibrary(Writer& writer, const std::vector<IdlItem>& items, const std::string& module,
                      const std::string& syskind, const std::string& installDir) {
    const IdlItem* library = nullptr;
    for (const IdlItem& item : items)
        if (item.kind == "library") library = &item;
    if (!library) throw std::runtime_error("the IDL declares no library");
    const std::string version = library->version.empty() ? "0.0" : library->version;
    const std::string key = "TypeLib\\" + library->uuid + "\\" + version;
    writer.Value(key, Formatted(library->helpstring.empty() ? library->name : library->helpstring));
    writer.Value(key + "\\0\\" + syskind, module);
    // The library's own flags (none) with the disk-image flag that a library
    // read from a file carries.
    writer.Value(key + "\\FLAGS", "8");
    writer.Value(key + "\\HELPDIR", installDir);
    for (const IdlItem& item : items) {
        if (item.kind == "library") continue;
        // Dual interfaces go through the automation marshaller, pure
        // dispatch interfaces through the dispatch one.
        const std::string marshaller = item.kind == "dispinterface" ? "{00020420-0000-0000-C000-000000000046}"
                                                                    : "{00020424-0000-0000-C000-000000000046}";
        const std::string interfaceKey = "Interface\\" + item.uuid;
        writer.Value(interfaceKey, Formatted(item.name));
        writer.Value(interfaceKey + "\\ProxyStubClsid", marshaller);
        writer.Value(interfaceKey + "\\ProxyStubClsid32", marshaller);
        writer.Value(interfaceKey + "\\TypeLib", library->uuid);
        const std::string versionName = "Version";
        writer.Value(interfaceKey + "\\TypeLib", &versionName, version);
    }
}

void WriteTable(Writer& writer, const ServerRegistration& server, std::span<const RegistryEntry> entries,
                const std::string& module) {
    const std::string guid = GuidText(*server.typeLibId);
    const auto expand = [&](const wchar_t* text, bool formatted) {
        std::string out = Narrow(text);
        if (formatted) out = Formatted(out);
        out = Replace(out, "%FriendlyName%", formatted ? Formatted(Narrow(server.friendlyName)) : Narrow(server.friendlyName));
        out = Replace(out, "%MODULETYPE%", "InprocServer32");
        out = Replace(out, "%MODULEGUID%", guid);
        out = Replace(out, "%APPID%", guid);
        return Replace(out, "%MODULE%", module);
    };
    for (const RegistryEntry& entry : entries) {
        const std::string key = expand(entry.key, false);
        if (entry.replace) writer.OwnedKey(key);
        if (entry.data) {
            const std::string name = entry.valueName ? Narrow(entry.valueName) : std::string();
            writer.Value(key, entry.valueName ? &name : nullptr, expand(entry.data, true));
        } else if (!entry.replace) {
            writer.Value(key, "");
        }
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 7 || (std::string(argv[1]) != "Humicalc" && std::string(argv[1]) != "Humichart") ||
        (std::string(argv[4]) != "win32" && std::string(argv[4]) != "win64")) {
        std::cerr << "usage: InstallerRegistry Humicalc|Humichart <file id> <library.idl> win32|win64 "
                     "<own.wxi> <shared.wxi>\n";
        return 2;
    }
    try {
        const ServerRegistration& server =
            std::string(argv[1]) == "Humicalc" ? HumicalcRegistration() : HumichartRegistration();
        const std::string module = std::string("[#") + argv[2] + "]";
        const std::vector<IdlItem> items = ReadIdl(argv[3]);
        std::ostringstream own, shared;
        Writer writer{own, shared};
        WriteTable(writer, server, server.appIdEntries, module);
        WriteTable(writer, server, server.classEntries, module);
        WriteTypeLibrary(writer, items, module, argv[4], "[INSTALLDIR]");
        for (const auto& [text, path] : {std::pair{&own, argv[5]}, std::pair{&shared, argv[6]}}) {
            std::ofstream out(path, std::ios::binary);
            out << "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n"
                << "<!-- " << argv[1] << ".dll's registry entries, generated from its registration table and "
                << "its IDL by InstallerRegistry: do not edit. -->\n<Include>\n"
                << text->str() << "</Include>\n";
            if (!out.flush()) throw std::runtime_error(std::string("cannot write ") + path);
        }
    } catch (const std::exception& error) {
        std::cerr << "InstallerRegistry: " << error.what() << "\n";
        return 1;
    }
    return 0;
}
