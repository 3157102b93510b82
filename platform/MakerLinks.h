#pragma once

// The maker's addresses, shown in the About box and opened by the links.
namespace platform {
inline constexpr const char *MakerHomePage = "http://hechuan.example/";
inline constexpr const char *MakerMailbox = "support@hechuan.example";
inline constexpr const char *MakerDownloadPage = "http://hechuan.example/download/";
} // namespace platform
