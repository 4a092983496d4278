#pragma once

// Who makes Lyrabell: written into every new project file's head and used by the Help menu's
// home page and mail-to-author commands.
namespace ly::maker {

inline constexpr char kName[] = "Ambergate Soft Studio";
inline constexpr char kHomePage[] = "http://www.lyrabell.example/";
inline constexpr char kSupportMail[] = "help@lyrabell.example";
// The addresses named in a project file's head.
inline constexpr char kMailAddresses[] = "help@lyrabell.example; team@lyrabell.example";

} // namespace ly::maker
