#pragma once
// The project's own addresses and the fixed lines of the About box.
namespace app {

inline constexpr const char16_t* Website = u"https://qv-tovra.example.org/";
inline constexpr const char16_t* SupportEmail = u"support@qv-tovra.example.org";
inline constexpr const char16_t* AboutLegalLine =
    u"Copyright \u00A9 2026 the QV Tovra developers. Provided as is, without warranty of any kind.";
inline constexpr const char16_t* AboutCredits =
    u"Built with Qt (https://www.qt.io/) and SDL (https://www.libsdl.org/).";

}  // namespace app
