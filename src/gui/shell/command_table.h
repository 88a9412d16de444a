#pragma once

namespace wb::gui {

class CDawnlyApp;
class CDawnlyView;
class CMainFrame;

// Where a command is served, in the order the framework offers it: the active view, its
// document, the main frame, the application.
enum class CommandRoute {
    View,         // needs a document window
    Document,     // needs a document window; served by its document
    ViewOrFrame,  // the active view when there is one, else the frame, with one behaviour
    Frame,
    App,
};

// When a command is enabled.
enum class EnableRule {
    Always,
    Never,
    WithDocument,        // a document window is active
    WithUndo,            // its editor can undo
    WithSelection,       // text is selected
    WithClipboardText,   // the clipboard holds text
    WithText,            // the document is not empty
    WithSeveralWindows,  // more than one document window is open
    WithHostList,        // the active document is a host list
};

// What a command handler acts on; `view` is null without a document window.
struct CommandContext {
    CDawnlyApp& app;
    CMainFrame& frame;
    CDawnlyView* view;
};

struct CommandRule {
    int id;
    CommandRoute route;
    EnableRule enable;
    void (*run)(const CommandContext& context);
};

// The one table of the program's commands: how each is routed, when it is enabled and
// what it does. Null for an identifier the program does not serve.
const CommandRule* FindCommand(int id);

bool IsCommandEnabled(const CommandRule& rule, const CommandContext& context);

// Runs the command when it is enabled; false when it is unknown or disabled.
bool RunCommand(int id, const CommandContext& context);

}  // namespace wb::gui
