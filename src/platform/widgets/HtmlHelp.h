#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <memory>

class QWidget;

// The HTML help library and the two helpers that drive it. A help topic has the form
// "<folder>/<Set>.chm::/<page>": the pages of a help set lie in the folder "<folder>/<Set>/"
// (the program's guide: ProgramDir() + "Guidebook/"), and the library shows them in a
// HelpViewer.
namespace ly::platform {

enum HtmlHelpCommand : unsigned {
    HH_DISPLAY_TOPIC = 0x0000,
    HH_DISPLAY_TOC = 0x0001,
    HH_CLOSE_ALL = 0x0012,
    HH_INITIALIZE = 0x001C,
    HH_UNINITIALIZE = 0x001D,
};

// The library's entry point. HH_DISPLAY_TOPIC and HH_DISPLAY_TOC show the topic and return
// the help window (as a number, 0 when nothing is shown); HH_INITIALIZE stores a cookie at
// the address passed as data; HH_UNINITIALIZE takes that cookie back; HH_CLOSE_ALL closes
// the help window.
using HtmlHelpFunction =
    std::function<quintptr(QWidget *window, const QString &topic, unsigned command, quintptr data)>;

class HelpLibrary
{
public:
    virtual ~HelpLibrary() = default;
    // The named function, or an empty one when the library has none of that name.
    virtual HtmlHelpFunction function(const QByteArray &name) = 0;
};

// Loads the library from the path; nullptr when it cannot be loaded. Ours is built in and
// needs the window system (a QApplication). Tests install their own loader; an empty loader
// restores ours.
using HelpLibraryLoader = std::function<std::unique_ptr<HelpLibrary>(const QString &path)>;
void SetHelpLibraryLoader(HelpLibraryLoader loader);

// The page a topic names: "<folder>/<Set>.chm::/<page>[#anchor][>window]" gives
// "<folder>/<Set>/<page>[#anchor]"; a topic without a page gives the set's "index.htm".
QUrl HelpTopicPage(const QString &topic);

} // namespace ly::platform

namespace ly {

// On first use loads the help library from SystemDir() + "/HHCTRL.OCX", looks up
// "HtmlHelpA" and initialises it (keeping its cookie); then passes the call on and returns
// its result. Throws ly::Error "HHCtrl.OCX not installed!\r HTMLHELP cannot displayed!" when
// the library cannot be loaded and "Function HTMLHELP cannot loaded!" when the function is
// missing.
quintptr ShowHtmlHelp(QWidget *window, const QString &topic, unsigned command, quintptr data);
// Uninitialises and unloads the library when it was loaded (the help window goes with it).
void CloseHtmlHelp();

} // namespace ly
