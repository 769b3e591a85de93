#pragma once

// For tests of the BMFont export: the files read back, and a window to
// export from.
#include "test_support.h"

#include <QXmlStreamReader>

#include <map>
#include <string>
#include <vector>

// A line of a .fnt: its tag and its fields, quotes taken off.
struct FntLine {
    std::string tag;
    std::map<std::string, std::string> fields;
    int Int(const std::string &key) const { return std::stoi(fields.at(key)); }
    friend bool operator==(const FntLine &, const FntLine &) = default;
};

inline std::vector<FntLine> ParseFnt(const QByteArray &text)
{
    std::vector<FntLine> lines;
    for (const QByteArray &line : text.split('\n')) {
        if (line.isEmpty())
            continue;
        FntLine parsed;
        qsizetype at = line.indexOf(' ');
        parsed.tag = line.left(at).toStdString();
        while (at >= 0 && at < line.size()) {
            const qsizetype equals = line.indexOf('=', at);
            const std::string name = line.mid(at + 1, equals - at - 1).toStdString();
            const bool quoted = line[equals + 1] == '"';
            const qsizetype end = quoted ? line.indexOf('"', equals + 2) + 1 : line.indexOf(' ', equals);
            const QByteArray value = line.mid(equals + 1, (end < 0 ? line.size() : end) - equals - 1);
            parsed.fields[name] = (quoted ? value.mid(1, value.size() - 2) : value).toStdString();
            at = end;
        }
        lines.push_back(parsed);
    }
    return lines;
}

// The elements of a BMFont XML file as the lines of the text format: tags
// and attributes, the enclosing font and pages left out.
inline std::vector<FntLine> ParseFntXml(const QByteArray &xml)
{
    std::vector<FntLine> lines;
    QXmlStreamReader reader(xml);
    while (!reader.atEnd()) {
        if (reader.readNext() != QXmlStreamReader::StartElement || reader.name() == u"font"
            || reader.name() == u"pages")
            continue;
        FntLine parsed{reader.name().toString().toStdString(), {}};
        for (const QXmlStreamAttribute &attribute : reader.attributes())
            parsed.fields[attribute.name().toString().toStdString()] = attribute.value().toString().toStdString();
        lines.push_back(parsed);
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString();
    return lines;
}

class BMFontTest : public MainWindowTest {
protected:
    QTemporaryDir folder;

    QString PathOf(const char *name) const { return folder.filePath(QString::fromLatin1(name)); }
    static QByteArray Read(const QString &path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    // The family, bold off, as coverage or as the distance fields the View
    // menu's item names, exported to font.fnt and font.xml in a game's
    // folder.
    std::vector<FntLine> ExportForLove(
        const QString &game, const char *field = "ViewDistanceFieldOff", const char *family = "DejaVu Sans")
    {
        EXPECT_TRUE(QDir().mkpath(game));
        window.Find<fw::CheckBox>("chkBold").SetValue(false);
        SelectFont(family);
        QtChild<QAction>(window, field).trigger();
        window.ExportBMFont((game + QStringLiteral("/font.xml")).toStdString());
        window.ExportBMFont((game + QStringLiteral("/font.fnt")).toStdString());
        QtChild<QAction>(window, "ViewDistanceFieldOff").trigger();
        return ParseFnt(Read(game + QStringLiteral("/font.fnt")));
    }
    // Renders with the family, bold off unless asked, and exports to
    // font.fnt.
    std::vector<FntLine> Export(const char *family, std::string *caveats = nullptr, bool bold = false)
    {
        SelectFont(family);
        window.Find<fw::CheckBox>("chkBold").SetValue(bold);
        window.UpdateFontMap();
        const std::string told = window.ExportBMFont(PathOf("font.fnt").toStdString());
        if (caveats)
            *caveats = told;
        return ParseFnt(Read(PathOf("font.fnt")));
    }
};
