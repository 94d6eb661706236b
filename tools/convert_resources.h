#pragma once

// Resource paths of the converter panel (compiled in from resources/convert).
namespace ConvertResources {

inline constexpr char iconDir[] = ":/property_icons/";
inline constexpr char swapIcon[] = ":/property_icons/convert.svg";
// Every icon label shows this until its card draws its own icon.
inline constexpr char placeholderIcon[] = ":/property_icons/length.svg";
inline constexpr char styleSheet[] = ":/convert/quenlix_convert.qss";

} // namespace ConvertResources
