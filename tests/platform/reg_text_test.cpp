#include "platform/document_registry.h"
#include "platform/reg_text.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

TEST(RegText, WritesKeysAndValuesWithTheFormatsEscapes)
{
    RegDocument document;
    RegKey& key = document.AddKey("HKEY_CURRENT_USER\\Software\\Tapsody");
    key.values.push_back({"Pfad", RegValue::Type::String, "C:\\Programme\\\"Tap\"\n", 0});
    key.values.push_back({"Sprache", RegValue::Type::Dword, {}, 42});
    key.values.push_back({"", RegValue::Type::String,
                          "Gr\xFC\xDF"
                          "e",
                          0}); // "Grüße", the default value

    EXPECT_EQ(FormatRegText(document), "Windows Registry Editor Version 5.00\n"
                                       "\n"
                                       "[HKEY_CURRENT_USER\\Software\\Tapsody]\n"
                                       "\"Pfad\"=\"C:\\\\Programme\\\\\\\"Tap\\\"\\n\"\n"
                                       "\"Sprache\"=dword:0000002a\n"
                                       "@=\"Gr\xC3\xBC\xC3\x9F"
                                       "e\"\n"
                                       "\n");
}

TEST(RegText, ReadsBackWhatItWrites)
{
    RegDocument document;
    const std::string path = "HKEY_LOCAL_MACHINE\\Software\\A \"B\"";
    RegKey& key = document.AddKey(path);
    key.values.push_back({"n\\a\"me", RegValue::Type::String, "\\\\server\\share\r\n\"x\"", 0});
    key.values.push_back({"d", RegValue::Type::Dword, {}, 0xFFFFFFFF});
    document.AddKey("HKEY_LOCAL_MACHINE\\Software\\Empty");

    const RegParseResult parsed = ParseRegText(FormatRegText(document));
    ASSERT_TRUE(parsed.document) << parsed.error;
    ASSERT_EQ(parsed.document->keys.size(), 2u);
    const RegKey& back = parsed.document->keys[0];
    EXPECT_EQ(back.path, path);
    ASSERT_EQ(back.values.size(), 2u);
    EXPECT_EQ(back.values[0].name, "n\\a\"me");
    EXPECT_EQ(back.values[0].text, "\\\\server\\share\r\n\"x\"");
    EXPECT_EQ(back.values[1].dword, 0xFFFFFFFFu);
    EXPECT_EQ(parsed.document->keys[1].path, "HKEY_LOCAL_MACHINE\\Software\\Empty");
}

TEST(RegText, ReadsWhatOtherToolsWrite)
{
    const std::string text = "\xEF\xBB\xBFWindows Registry Editor Version 5.00\r\n"
                             "\r\n"
                             "; a comment\r\n"
                             "[HKEY_CURRENT_USER\\Software\\X]\r\n"
                             "\"Bin\"=hex:01,02,\\\r\n"
                             "  03,\\\r\n"
                             "  04\r\n"
                             "\"Weg\"=\"a\"\r\n"
                             "\"Weg\"=-\r\n"
                             "[HKEY_CURRENT_USER\\Software\\Alt\\Sub]\r\n"
                             "[-HKEY_CURRENT_USER\\Software\\Alt]\r\n";
    const RegParseResult parsed = ParseRegText(text);
    ASSERT_TRUE(parsed.document) << parsed.error;
    ASSERT_EQ(parsed.document->keys.size(), 1u);
    const RegKey& key = parsed.document->keys[0];
    ASSERT_EQ(key.values.size(), 1u);
    EXPECT_EQ(key.values[0].type, RegValue::Type::Other);
    EXPECT_EQ(key.values[0].text, "hex:01,02,03,04");
    EXPECT_NE(FormatRegText(*parsed.document).find("\"Bin\"=hex:01,02,03,04\n"), std::string::npos);
}

// Reading and writing agree on continued lines: a hexadecimal value goes on
// behind a backslash, blanks or control bytes after it aside; a stray backslash
// before the next entry ends the value; what is written reads back the same.
TEST(RegText, ContinuedHexValuesSurviveARoundTrip)
{
    const std::string head = "Windows Registry Editor Version 5.00\r\n[HKEY_CURRENT_USER\\X]\r\n";
    const std::string written = "Windows Registry Editor Version 5.00\n\n[HKEY_CURRENT_USER\\X]\n";
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"\"A\"=hex:01,\\ \r\n  02\r\n\"B\"=\"b\"\r\n", "\"A\"=hex:01,02\n\"B\"=\"b\"\n"},
        {"\"A\"=hex:01,\\\t\x01\r\r\n 02\r\n", "\"A\"=hex:01,02\n"},
        {"\"A\"=hex:01,\\ \r\n\"B\"=\"b\"\r\n", "\"A\"=hex:01,\n\"B\"=\"b\"\n"},
        {"@=hex(2):41,\\\r\n[HKEY_CURRENT_USER\\Y]\r\n", "@=hex(2):41,\n\n[HKEY_CURRENT_USER\\Y]\n"},
        {"\"A\"=hex:01,\\\\\r\n\r\n\"B\"=dword:00000001\r\n", "\"A\"=hex:01,\n\"B\"=dword:00000001\n"},
        {"\"A\"=hex:01,\\\r\n; note\r\n\"B\"=hex:02\r\n", "\"A\"=hex:01,\n\"B\"=hex:02\n"},
        // Text values and comments are whole, whatever they end in.
        {"\"a=\"=\"x\\\\\"\r\n; a=b \\\r\n\"B\"=\"b\"\r\n", "\"a=\"=\"x\\\\\"\n\"B\"=\"b\"\n"},
    };
    for (const auto& [values, expected] : cases) {
        const RegParseResult parsed = ParseRegText(head + values);
        ASSERT_TRUE(parsed.document) << values << ": " << parsed.error;
        const std::string text = FormatRegText(*parsed.document);
        EXPECT_EQ(text, written + expected + "\n") << values; // the file ends with an empty line
        const RegParseResult again = ParseRegText(text);
        ASSERT_TRUE(again.document) << text;
        EXPECT_EQ(FormatRegText(*again.document), text);
    }
    EXPECT_FALSE(ParseRegText(head + "\"A\"=hex:01,\\\r\n").document); // the file ends inside the value
}

TEST(RegText, NamesTheLineOfDamage)
{
    const std::string header = "Windows Registry Editor Version 5.00\n";
    EXPECT_FALSE(ParseRegText("").document);
    EXPECT_FALSE(ParseRegText("[HKEY_CURRENT_USER\\X]\n").document);
    EXPECT_FALSE(ParseRegText(header + "\"a\"=\"b\"\n").document); // value before any key

    const RegParseResult unclosed = ParseRegText(header + "\n[HKEY_CURRENT_USER\\X]\n\"a\"=\"b\n");
    EXPECT_FALSE(unclosed.document);
    EXPECT_EQ(unclosed.errorLine, 4);
    EXPECT_FALSE(ParseRegText(header + "[HKEY_CURRENT_USER\\X]\n\"a\"=dword:123456789\n").document);
    EXPECT_FALSE(ParseRegText(header + "[HKEY_CURRENT_USER\\X]\n\"a\"=\"b\\q\"\n").document);
    EXPECT_FALSE(ParseRegText(header + "[HKEY_CURRENT_USER\\X\n").document);
    EXPECT_FALSE(ParseRegText(header + "Schrott\n").document);
}

TEST(MemoryRegistry, FindsKeysAndValuesInAnyLetterCase)
{
    MemoryRegistry registry;
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, "\\Software"));
    ASSERT_TRUE(registry.WriteString(RegistryRoot::LocalMachine, "\\Software\\Vendor\\Tapsodia", "Pfad", "/opt/t/"));
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine, "\\SOFTWARE\\vendor"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "\\Software\\Vendor"));
    EXPECT_EQ(registry.ReadString(RegistryRoot::LocalMachine, "Software\\VENDOR\\tapsodia\\", "pfad"), "/opt/t/");
    EXPECT_FALSE(registry.ReadInteger(RegistryRoot::LocalMachine, "\\Software\\Vendor\\Tapsodia", "Pfad"));

    registry.WriteInteger(RegistryRoot::LocalMachine, "\\Software\\Vendor", "Sprache", -1);
    EXPECT_EQ(registry.ReadInteger(RegistryRoot::LocalMachine, "\\Software\\Vendor", "SPRACHE"), -1);
    registry.WriteString(RegistryRoot::LocalMachine, "\\Software\\Vendor\\Tapsodia", "PFAD", "/neu/");
    EXPECT_EQ(registry.document.keys[0].values[0].name, "Pfad"); // the name keeps its first spelling

    EXPECT_TRUE(registry.DeleteValue(RegistryRoot::LocalMachine, "\\Software\\Vendor", "Sprache"));
    EXPECT_FALSE(registry.ValueExists(RegistryRoot::LocalMachine, "\\Software\\Vendor", "Sprache"));
    // A key goes only when nothing is in it: no value, no key below it.
    EXPECT_FALSE(registry.DeleteKeyIfEmpty(RegistryRoot::LocalMachine, "\\Software\\Vendor"));
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::LocalMachine, "\\Software\\Vendor\\Tapsodia"));
    EXPECT_FALSE(registry.DeleteKeyIfEmpty(RegistryRoot::LocalMachine, "\\Software\\Vendor\\Tapsodia"));
    EXPECT_TRUE(registry.DeleteKey(RegistryRoot::LocalMachine, "\\Software\\Vendor"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::LocalMachine, "\\Software\\Vendor\\Tapsodia"));
    EXPECT_TRUE(registry.DeleteKeyIfEmpty(RegistryRoot::LocalMachine, "\\Software\\Vendor")) << "missing";
    EXPECT_TRUE(registry.CreateKey(RegistryRoot::CurrentUser, "\\Software\\Leer"));
    EXPECT_TRUE(registry.KeyExists(RegistryRoot::CurrentUser, "\\Software\\Leer"));
    EXPECT_TRUE(registry.DeleteKeyIfEmpty(RegistryRoot::CurrentUser, "\\software\\LEER"));
    EXPECT_FALSE(registry.KeyExists(RegistryRoot::CurrentUser, "\\Software\\Leer"));
}
