// SPDX-License-Identifier: GPL-3.0-or-later
// The game in a web page.
#include "platform/platform.h"

#include "platform/pagewindows.h"

#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QFont>
#include <QString>

#include <emscripten.h>
#include <emscripten/val.h>

namespace quivara::platform {
namespace {

class Web : public Platform
{
public:
    void addCarriedFonts() override { addFontsFromResources(); }

    void fitApplication() override
    {
        // The default face of the Linux desktop for what the forms leave to it (the menu bars; the
        // browser's Qt would draw them larger), and the windows kept as on a desktop.
        QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
        new PageWindows(qApp);
    }

    void announce(QWidget *, const QString &sentence) override
    {
        // The browser's Qt tells screen readers nothing: the page keeps a live region, in which each
        // sentence is a new paragraph (so a sentence said twice is spoken twice).
        using emscripten::val;
        const val document = val::global("document");
        val region = document.call<val>("getElementById", val("avisos"));
        if (region.isNull())
            return;
        val paragraph = document.call<val>("createElement", val("p"));
        paragraph.set("textContent", val(sentence.toStdString()));
        region.call<void>("appendChild", paragraph);
    }

    // The files are kept as Windows writes them in Western Europe.
    CodePage ansiCodePage() override { return kWindows1252; }

    bool canCreateFilesIn(const QString &directory) override { return QFileInfo(directory).isWritable(); }

    // The page's files live in memory until written out to its storage by packaging/web/page.js;
    // without that script (the tests under Node) there is no storage to write to.
    void keepSavedFiles() override
    {
        EM_ASM(if (Module['quivaraKeep']) Module['quivaraKeep'](););
    }

    void whenLeft(std::function<void()> save) override { leaving() = std::move(save); }

    static std::function<void()> &leaving()
    {
        static std::function<void()> save;
        return save;
    }

    void showMessage(QDialog *box) override { box->open(); }

    void quit() override
    {
        // The browser runs the event loop, which a program cannot leave: it ends here, and the page
        // says that it has.
        emscripten_force_exit(0);
    }

private:
    std::tm localTime(std::time_t moment) override
    {
        std::tm local{};
        localtime_r(&moment, &local);
        return local;
    }
};

} // namespace

Platform &current()
{
    static Web platform;
    return platform;
}

} // namespace quivara::platform

// Called by the page when the player leaves it (packaging/web/page.js).
extern "C" EMSCRIPTEN_KEEPALIVE void quivara_page_left()
{
    if (const std::function<void()> &save = quivara::platform::Web::leaving())
        save();
}
