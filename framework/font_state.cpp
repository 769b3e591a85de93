#include "framework/font_state.h"

#include "framework/text_pieces.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <QStringList>

#include <algorithm>
#include <vector>

namespace fw {
namespace {

constexpr qsizetype kMaxKeptAdvanceText = 1024;
constexpr qsizetype kMaxKeptEntries = 4096;

bool FamilyHasBoldFace(const QString &family)
{
    static QHash<QString, bool> known;
    const auto found = known.constFind(family);
    if (found != known.constEnd())
        return *found;
    const QStringList styles = QFontDatabase::styles(family);
    const bool hasBold = std::any_of(styles.begin(), styles.end(),
        [&](const QString &style) { return QFontDatabase::weight(family, style) >= QFont::DemiBold; });
    known.insert(family, hasBold);
    return hasBold;
}

} // namespace

std::shared_ptr<FontState> FontState::Make(const std::string &family, int pixelSize, bool bold, bool italic)
{
    static std::uint64_t serials = 0;
    auto state = std::make_shared<FontState>();
    state->serial = ++serials;
    state->pixelSize = pixelSize;
    state->italic = italic;
    QFont &font = state->font;
    font.setFamily(QString::fromStdString(family));
    // Unhinted outlines keep advances fractional, so ten copies of a
    // character measure to a tenth of a pixel on every system.
    font.setHintingPreference(QFont::PreferNoHinting);
    font.setStyleStrategy(QFont::NoSubpixelAntialias);
    font.setItalic(italic);
    if (pixelSize >= 1)
        font.setPixelSize(pixelSize);
    const QString resolved = QFontInfo(font).family();
    state->bitmapsOnly = !QFontDatabase::isScalable(resolved);
    if (bold) {
        if (FamilyHasBoldFace(resolved)) {
            font.setBold(true);
        } else if (state->bitmapsOnly) {
            // A bitmap is emboldened as FreeType does it: one pixel wider.
            state->boldBitmap = true;
            font.setLetterSpacing(QFont::AbsoluteSpacing, 1);
        } else {
            // Qt emboldens a missing face only for small cached glyphs and
            // only where fontconfig asks, so it is done here: an outline of
            // a 24th of the em, whose width the advance grows by, as
            // FreeType's own emboldening does.
            state->boldStroke = std::max(pixelSize, 1) / 24.0;
            font.setLetterSpacing(QFont::AbsoluteSpacing, state->boldStroke);
        }
    }
    state->metrics = QFontMetricsF(font);
    return state;
}

namespace {

struct Kept {
    std::string family;
    int pixelSize;
    bool bold;
    bool italic;
    std::shared_ptr<FontState> state;
};

// The most recent first.
std::vector<Kept> &RecentStates()
{
    static std::vector<Kept> recent;
    return recent;
}

} // namespace

std::shared_ptr<FontState> FontState::Recent(const std::string &family, int pixelSize, bool bold, bool italic)
{
    constexpr std::size_t kKept = 6;
    std::vector<Kept> &recent = RecentStates();
    const auto found = std::find_if(recent.begin(), recent.end(), [&](const Kept &kept) {
        return kept.pixelSize == pixelSize && kept.bold == bold && kept.italic == italic && kept.family == family;
    });
    if (found != recent.end()) {
        std::rotate(recent.begin(), found, found + 1);
        return recent.front().state;
    }
    if (recent.size() == kKept)
        recent.pop_back();
    recent.insert(recent.begin(), Kept{family, pixelSize, bold, italic, Make(family, pixelSize, bold, italic)});
    return recent.front().state;
}

void FontState::ForgetRecent()
{
    RecentStates().clear();
}

double FontState::Advance(const QString &text)
{
    if (const auto kept = advances_.constFind(text); kept != advances_.constEnd())
        return *kept;
    const double advance = SafeAdvance(metrics, text, pixelSize);
    if (text.size() <= kMaxKeptAdvanceText) {
        if (advances_.size() >= kMaxKeptEntries)
            advances_.clear();
        advances_.insert(text, advance);
    }
    return advance;
}

} // namespace fw
