#pragma once

// The maker's contact details (start screen, report title block). Invented values.
namespace kvor::config {

inline constexpr const char *kMakerName = "Nivra";
inline constexpr const char *kMakerPhone = "+380 44 000-00-00";
inline constexpr const char *kMakerWeb = "nivra.example";
inline constexpr const char *kMakerEmail = "info@nivra.example";
inline constexpr const char *kVersionText = "Nivra Версія 1.05 від 01.05.2025";

} // namespace kvor::config
