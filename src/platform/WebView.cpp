#include "platform/WebView.h"

#include "shared/Error.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibrary>
#include <QUrl>

namespace ly::platform {

namespace {

WebViewFactory &factory()
{
    static WebViewFactory installed;
    return installed;
}

// The path with links and ".." resolved as far as it exists; the rest is cleaned, so a
// missing file below a linked folder still resolves through the link.
QString resolvedPath(const QString &path)
{
    QFileInfo info(path);
    QStringList rest;
    while (!info.exists() && !info.isRoot() && !info.fileName().isEmpty()) {
        rest.prepend(info.fileName());
        info = QFileInfo(info.path());
    }
    QString base = info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.filePath());
    for (const QString &part : std::as_const(rest))
        base += QLatin1Char('/') + part;
    return QDir::cleanPath(base);
}

} // namespace

void SetWebViewFactory(WebViewFactory f)
{
    factory() = std::move(f);
}

bool WebViewAvailable()
{
    return bool(factory());
}

WebView *CreateWebView(QWidget *parent)
{
    if (!factory())
        throw Error(kNoWebEngineText);
    return factory()(parent);
}

void UseWebEngine(const QString &modulePath)
{
    using Create = WebView *(*)(QWidget *);
    SetWebViewFactory([modulePath, create = Create(nullptr)](QWidget *parent) mutable {
        if (!create) {
            // Never unloaded: the engine keeps running until the program ends.
            QLibrary module(modulePath);
            module.setLoadHints(QLibrary::PreventUnloadHint);
            if (!QFileInfo::exists(modulePath))
                throw Error(kNoWebEngineText);
            if (!module.load())
                throw Error(QStringLiteral("The web engine cannot be loaded: ") + module.errorString());
            create = reinterpret_cast<Create>(module.resolve("lyCreateWebView"));
            if (!create)
                throw Error(QStringLiteral("The web engine cannot be loaded: ") + module.errorString());
        }
        return create(parent);
    });
}

QString WebEngineModuleBesideProgram()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/lywebview.so");
}

bool IsWebRequestAllowed(const QUrl &url, const QString &pageFolder)
{
    const QString scheme = url.scheme().toLower();
    if (scheme == QLatin1String("data") || scheme == QLatin1String("blob"))
        return true;
    if (scheme == QLatin1String("about"))
        return url.path() == QLatin1String("blank");
    if (scheme != QLatin1String("file") || !url.host().isEmpty() || pageFolder.isEmpty())
        return false;
    const QString folder = resolvedPath(QFileInfo(pageFolder).absoluteFilePath());
    const QString target = resolvedPath(url.toLocalFile());
    return target.startsWith(folder + QLatin1Char('/'));
}

void PrepareWebEngine()
{
    // The engine draws through Qt Quick, whose OpenGL context must share with the
    // application's; the attribute only has an effect before QApplication exists.
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace ly::platform
