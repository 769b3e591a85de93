#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

typedef struct _FcConfig FcConfig;

namespace raster {

// The configuration of installed fonts fontconfig read last, held: another
// in use since means the fonts were read anew, by the program or by
// fontconfig itself (which does so by its own rescan when it is asked for a
// list).
class FontConfiguration {
public:
    // The one in use now.
    FontConfiguration();
    bool Current() const;

private:
    struct Release {
        void operator()(FcConfig *config) const;
    };
    std::unique_ptr<FcConfig, Release> held_;
};

// The installed families as fontconfig knows them: each once, by the first
// of its names (the one fontconfig finds it by in every locale), in
// alphabetical order, case aside.
std::vector<std::string> InstalledFamilies();

// The installed family fontconfig draws for a name, an alias such as
// "Courier" included; empty when no font is installed at all.
std::string FamilyDrawnFor(const std::string &name);

// Whether two family names are one to fontconfig: case and blanks aside.
bool SameFamilyName(std::string_view a, std::string_view b);

// Reads fontconfig's configuration again where a font folder or one of its
// configuration files changed since fontconfig last looked (it tells by
// their times, in whole seconds: a font file rewritten in place changes no
// folder), so that fonts installed or removed since are found.
void RescanInstalledFonts();

} // namespace raster
