#pragma once

// Pictures of the shell's dialogs (compiled into the images resource bundle).
namespace ShellImages {

inline constexpr char toolOn[] = ":images/on.png";
inline constexpr char toolOff[] = ":images/off.png";
inline constexpr char toolOffInForm[] = ":/images/off.png";
inline constexpr char logo[] = ":/images/logo.png";
inline constexpr char windowIcon[] = ":/images/logo.ico";

} // namespace ShellImages
