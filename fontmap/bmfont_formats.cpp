#include "fontmap/bmfont.h"
#include "fontmap/safe_text.h"

#include "text/numbers.h"

#include <algorithm>
#include <string_view>
#include <utility>

namespace vantor {
namespace {

// A line or element's attributes, each a name and its value, in order.
using Attributes = std::vector<std::pair<std::string, std::string>>;

std::string Number(std::int64_t value)
{
    return text::Str(value);
}

std::string Flag(bool value)
{
    return value ? "1" : "0";
}

Attributes InfoAttributes(const BMFont &font)
{
    return {{"face", font.face}, {"size", Number(font.size)}, {"bold", Flag(font.bold)}, {"italic", Flag(font.italic)},
        {"charset", ""}, {"unicode", "1"}, {"stretchH", "100"}, {"smooth", "1"}, {"aa", "1"}, {"padding", "0,0,0,0"},
        {"spacing", "0,0"}};
}

Attributes CommonAttributes(const BMFont &font)
{
    return {{"lineHeight", Number(font.lineHeight)}, {"base", Number(font.base)}, {"scaleW", Number(font.scale)},
        {"scaleH", Number(font.scale)}, {"pages", "1"}, {"packed", "0"},
        {"alphaChnl", font.multiChannel && !font.trueDistance ? "4" : "0"},
        {"redChnl", font.multiChannel ? "0" : "4"}, {"greenChnl", font.multiChannel ? "0" : "4"},
        {"blueChnl", font.multiChannel ? "0" : "4"}};
}

Attributes DistanceFieldAttributes(const BMFont &font)
{
    const char *type = !font.multiChannel ? "sdf" : font.trueDistance ? "mtsdf" : "msdf";
    return {{"fieldType", type}, {"distanceRange", Number(font.distanceRange)}};
}

Attributes CharAttributes(const BMFont::Character &c)
{
    Attributes attributes{{"id", Number(c.id)}, {"x", Number(c.rect.left)}, {"y", Number(c.rect.top)},
        {"width", Number(c.rect.width)}, {"height", Number(c.rect.height)}, {"xoffset", Number(c.xoffset)},
        {"yoffset", Number(c.yoffset)}, {"xadvance", Number(c.xadvance)}, {"page", "0"}, {"chnl", "15"}};
    // Readers that keep characters in 16 bits name one beyond by its text.
    if (c.id > 0xFFFF)
        attributes.emplace_back("letter", c.text);
    return attributes;
}

Attributes KerningAttributes(const BMFont::Kerning &k)
{
    return {{"first", Number(k.first)}, {"second", Number(k.second)}, {"amount", Number(k.amount)}};
}

// The names whose values the text format quotes: JavaScript's readers take
// an unquoted value for a number.
bool Quoted(std::string_view name)
{
    return name == "face" || name == "charset" || name == "file" || name == "letter" || name == "fieldType";
}

// A quoted value of the text format, which has no escape: double quotes
// become single, and a TAB, where readers split, is left out.
std::string TextValue(std::string_view value)
{
    std::string text = XmlSafe(value);
    std::replace(text.begin(), text.end(), '"', '\'');
    std::erase(text, '\t');
    return "\"" + text + "\"";
}

std::string TextLine(std::string_view tag, const Attributes &attributes)
{
    std::string line(tag);
    for (const auto &[name, value] : attributes)
        line += " " + name + "=" + (Quoted(name) ? TextValue(value) : value);
    return line + "\n";
}

std::string Escaped(std::string_view value)
{
    std::string escaped;
    for (const char c : XmlSafe(value)) {
        switch (c) {
        case '&':
            escaped += "&amp;";
            break;
        case '<':
            escaped += "&lt;";
            break;
        case '>':
            escaped += "&gt;";
            break;
        case '"':
            escaped += "&quot;";
            break;
        case '\'':
            escaped += "&apos;";
            break;
        case '\t':
            // A reader turns a TAB written as itself into a space.
            escaped += "&#9;";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

std::string Element(std::string_view indent, std::string_view tag, const Attributes &attributes)
{
    std::string element = std::string(indent) + "<" + std::string(tag);
    for (const auto &[name, value] : attributes)
        element += " " + name + "=\"" + Escaped(value) + "\"";
    return element + "/>\n";
}

} // namespace

std::string BMFontText(const BMFont &font)
{
    std::string text = TextLine("info", InfoAttributes(font));
    text += TextLine("common", CommonAttributes(font));
    if (font.distanceRange > 0)
        text += TextLine("distanceField", DistanceFieldAttributes(font));
    text += TextLine("page", {{"id", "0"}, {"file", font.page}});
    text += TextLine("chars", {{"count", Number(static_cast<std::int64_t>(font.characters.size()))}});
    for (const BMFont::Character &c : font.characters)
        text += TextLine("char", CharAttributes(c));
    if (!font.kernings.empty()) {
        text += TextLine("kernings", {{"count", Number(static_cast<std::int64_t>(font.kernings.size()))}});
        for (const BMFont::Kerning &k : font.kernings)
            text += TextLine("kerning", KerningAttributes(k));
    }
    return text;
}

std::string BMFontXml(const BMFont &font)
{
    std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<font>\n";
    xml += Element("  ", "info", InfoAttributes(font));
    xml += Element("  ", "common", CommonAttributes(font));
    if (font.distanceRange > 0)
        xml += Element("  ", "distanceField", DistanceFieldAttributes(font));
    xml += "  <pages>\n" + Element("    ", "page", {{"id", "0"}, {"file", font.page}}) + "  </pages>\n";
    xml += "  <chars count=\"" + Number(static_cast<std::int64_t>(font.characters.size())) + "\">\n";
    for (const BMFont::Character &c : font.characters)
        xml += Element("    ", "char", CharAttributes(c));
    xml += "  </chars>\n";
    if (!font.kernings.empty()) {
        xml += "  <kernings count=\"" + Number(static_cast<std::int64_t>(font.kernings.size())) + "\">\n";
        for (const BMFont::Kerning &k : font.kernings)
            xml += Element("    ", "kerning", KerningAttributes(k));
        xml += "  </kernings>\n";
    }
    return xml + "</font>\n";
}

} // namespace vantor
