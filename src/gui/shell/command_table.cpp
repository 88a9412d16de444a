#include "shell/command_table.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QTextDocument>
#include <QWhatsThis>
#include <algorithm>
#include <iterator>

#include "common/help.h"
#include "shell/backdrop_wnd.h"
#include "shell/command_ids.h"
#include "shell/dawnly_app.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/dawnly_view.h"
#include "shell/main_frame.h"

namespace wb::gui {

namespace {

using R = CommandRoute;
using E = EnableRule;
using C = const CommandContext&;

CDawnlyDoc* Doc(C c) { return c.view ? c.view->GetDocument() : nullptr; }

const CommandRule kCommands[] = {
    // The program's own menu.
    {ID_CREATE_HOST_LIST, R::ViewOrFrame, E::Always,
     [](C c) { c.view ? c.view->OnCreateHostList() : c.frame.OnCreateHostList(); }},
    {ID_POWER_ON_HOST, R::ViewOrFrame, E::Always,
     [](C c) { c.view ? c.view->OnPowerOnHost() : c.frame.OnPowerOnHost(); }},
    {ID_GROUP_POWER_ON, R::ViewOrFrame, E::Always,
     [](C c) { c.view ? c.view->OnGroupPowerOn() : c.frame.OnGroupPowerOn(); }},

    {ID_WAKE_SELECTED, R::View, E::WithHostList, [](C c) { c.view->OnWakeHosts(false); }},
    {ID_WAKE_ALL, R::View, E::WithHostList, [](C c) { c.view->OnWakeHosts(true); }},

    // File.
    {ID_FILE_NEW, R::App, E::Always, [](C c) { c.app.OnFileNew(); }},
    {ID_FILE_OPEN, R::App, E::Always, [](C c) { c.app.OnFileOpen(); }},
    {ID_FILE_CLOSE, R::Document, E::WithDocument, [](C c) { c.frame.CloseDocument(Doc(c)); }},
    {ID_FILE_SAVE, R::Document, E::WithDocument, [](C c) { Doc(c)->DoFileSave(); }},
    {ID_FILE_SAVE_AS, R::Document, E::WithDocument, [](C c) { Doc(c)->DoSave(QString(), true); }},
    {ID_FILE_PRINT, R::View, E::WithDocument, [](C c) { c.view->OnFilePrint(); }},
    {ID_FILE_PRINT_DIRECT, R::View, E::WithDocument, [](C c) { c.view->OnFilePrintDirect(); }},
    {ID_FILE_PRINT_PREVIEW, R::View, E::WithDocument, [](C c) { c.view->OnFilePrintPreview(); }},
    {ID_FILE_PRINT_SETUP, R::App, E::Always, [](C c) { c.app.OnFilePrintSetup(); }},
    // The recent-file list is never filled.
    {ID_FILE_MRU_FILE1, R::App, E::Never, [](C) {}},
    {ID_APP_EXIT, R::App, E::Always, [](C c) { c.app.OnAppExit(); }},

    // Edit.
    {ID_EDIT_UNDO, R::View, E::WithUndo, [](C c) { c.view->undo(); }},
    {ID_EDIT_CUT, R::View, E::WithSelection, [](C c) { c.view->cut(); }},
    {ID_EDIT_COPY, R::View, E::WithSelection, [](C c) { c.view->copy(); }},
    {ID_EDIT_PASTE, R::View, E::WithClipboardText, [](C c) { c.view->paste(); }},
    {ID_EDIT_FIND, R::View, E::WithText, [](C c) { c.view->OnEditFind(); }},
    {ID_EDIT_REPLACE, R::View, E::WithText, [](C c) { c.view->OnEditReplace(); }},
    {ID_EDIT_SELECT_ALL, R::View, E::WithText, [](C c) { c.view->selectAll(); }},

    // View and Window.
    {ID_VIEW_TOOLBAR, R::Frame, E::Always, [](C c) { c.frame.ToggleToolBar(); }},
    {ID_VIEW_STATUS_BAR, R::Frame, E::Always, [](C c) { c.frame.ToggleStatusBar(); }},
    {ID_WINDOW_NEW, R::Frame, E::WithDocument,
     [](C c) { c.app.DocTemplate()->CreateNewFrame(Doc(c)); }},
    {ID_WINDOW_CASCADE, R::Frame, E::WithDocument,
     [](C c) { c.frame.MdiArea()->cascadeSubWindows(); }},
    {ID_WINDOW_TILE_HORZ, R::Frame, E::WithDocument,
     [](C c) { c.frame.MdiArea()->tileSubWindows(); }},
    {ID_WINDOW_ARRANGE, R::Frame, E::WithDocument, [](C c) { c.frame.ArrangeIcons(); }},
    {ID_NEXT_PANE, R::Frame, E::WithSeveralWindows,
     [](C c) { c.frame.MdiArea()->activateNextSubWindow(); }},
    {ID_PREV_PANE, R::Frame, E::WithSeveralWindows,
     [](C c) { c.frame.MdiArea()->activatePreviousSubWindow(); }},

    // Help.
    {ID_HELP_FINDER, R::Frame, E::Always, [](C c) { ShowHelpTopics(&c.frame, QString()); }},
    {ID_DEFAULT_HELP, R::Frame, E::Always, [](C c) { ShowHelpTopics(&c.frame, QString()); }},
    {ID_HELP, R::Frame, E::Always,
     [](C c) { ShowHelpTopics(&c.frame, c.view ? QStringLiteral("documents") : QString()); }},
    {ID_CONTEXT_HELP, R::Frame, E::Always, [](C) { QWhatsThis::enterWhatsThisMode(); }},
    {ID_APP_ABOUT, R::App, E::Always, [](C c) { c.app.OnAppAbout(); }},
};

}  // namespace

const CommandRule* FindCommand(int id) {
    const auto it = std::find_if(std::begin(kCommands), std::end(kCommands),
                                 [id](const CommandRule& rule) { return rule.id == id; });
    return it == std::end(kCommands) ? nullptr : it;
}

namespace {

// The rules that look at the active document window, which is there.
bool ViewAllows(EnableRule enable, const CDawnlyView& view) {
    switch (enable) {
        case E::WithUndo:
            return view.document()->isUndoAvailable();
        case E::WithSelection:
            return view.textCursor().hasSelection();
        case E::WithClipboardText: {
            const QMimeData* data = QApplication::clipboard()->mimeData();
            return data && data->hasText();
        }
        case E::WithText:
            return !view.document()->isEmpty();
        case E::WithHostList:
            return view.IsHostList();
        default:
            return true;
    }
}

}  // namespace

bool IsCommandEnabled(const CommandRule& rule, const CommandContext& context) {
    const CDawnlyView* view = context.view;
    // Nothing serves a view's or a document's command without a document window.
    if ((rule.route == R::View || rule.route == R::Document) && !view) return false;
    switch (rule.enable) {
        case E::Always:
            return true;
        case E::Never:
            return false;
        case E::WithSeveralWindows:
            return context.frame.MdiArea()->subWindowList().size() > 1;
        default:
            return view && ViewAllows(rule.enable, *view);
    }
}

bool RunCommand(int id, const CommandContext& context) {
    const CommandRule* rule = FindCommand(id);
    if (!rule || !IsCommandEnabled(*rule, context)) return false;
    rule->run(context);
    return true;
}

}  // namespace wb::gui
