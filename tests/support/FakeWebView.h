#pragma once

#include "platform/WebView.h"

#include <QList>
#include <QPoint>
#include <QStringList>
#include <QWidget>

namespace lytest {

// A web view that shows nothing and records what it was asked to do, for windows that hold a
// browser in the sanitized tests (where the web engine cannot run).
class FakeWebView : public QWidget, public ly::platform::WebView
{
public:
    explicit FakeWebView(QWidget *parent) : QWidget(parent) { views().append(this); }
    ~FakeWebView() override { views().removeOne(this); }

    QWidget *widget() override { return this; }
    void showPage(const QString &pageFile) override { pages.append(pageFile); }
    QString currentPage() const override { return pages.isEmpty() ? QString() : pages.last(); }
    void click(const QPoint &pos) override { clicks.append(pos); }

    QStringList pages;
    QList<QPoint> clicks;

    // The fakes alive now, in the order they were made.
    static QList<FakeWebView *> &views()
    {
        static QList<FakeWebView *> all;
        return all;
    }
};

// Installs FakeWebView as the web view while it lives.
class FakeWebEngine
{
public:
    FakeWebEngine()
    {
        ly::platform::SetWebViewFactory([](QWidget *parent) { return new FakeWebView(parent); });
    }
    ~FakeWebEngine() { ly::platform::SetWebViewFactory({}); }
    FakeWebEngine(const FakeWebEngine &) = delete;
    FakeWebEngine &operator=(const FakeWebEngine &) = delete;
};

} // namespace lytest
