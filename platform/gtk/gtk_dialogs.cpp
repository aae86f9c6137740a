// GTK 3 backend: the dialogs and dropped files of seam/dialogs.h.
//
// A message box is a GtkMessageDialog and the open and save dialogs
// GtkFileChooserDialogs, each run modally over its owner's GtkWindow; a
// window that accepts files is a drag destination for URI lists, whose local
// files reach the core as one drop. Limits: only local files (file:// URIs)
// are taken; timers do not run while a dialog is open.
#include "platform/gtk/gtk_state.h"
#include "platform/seam/dialogs.h"

namespace {

GtkWindow* parentOf(HWND owner) {
    const Gtk_Window* record = Gtk_find(owner);
    return record && record->kind == backend::WindowKind::TopLevel ? GTK_WINDOW(record->widget) : nullptr;
}

void addFilter(GtkFileChooser* chooser, const backend::FileFilter& filter) {
    GtkFileFilter* gtkFilter = gtk_file_filter_new();
    gtk_file_filter_set_name(gtkFilter, filter.name.c_str());
    for (const std::string& pattern : filter.patterns) {
        // Windows matches names without regard to case: *.MID is a MIDI file too.
        std::string anyCase;
        for (char c : pattern)
            anyCase += g_ascii_isalpha(c) ? std::string("[") + g_ascii_tolower(c) + g_ascii_toupper(c) + "]"
                                          : std::string(1, c);
        gtk_file_filter_add_pattern(gtkFilter, pattern == "*.*" ? "*" : anyCase.c_str());
    }
    gtk_file_chooser_add_filter(chooser, gtkFilter);
}

void onDragDataReceived(GtkWidget*, GdkDragContext* context, gint, gint, GtkSelectionData* data, guint,
                        guint time, gpointer window) {
    std::vector<std::string> paths;
    if (gchar** uris = gtk_selection_data_get_uris(data)) {
        for (gchar** uri = uris; *uri; ++uri)
            if (gchar* path = g_filename_from_uri(*uri, nullptr, nullptr)) {
                paths.emplace_back(path);
                g_free(path);
            }
        g_strfreev(uris);
    }
    gtk_drag_finish(context, !paths.empty(), FALSE, time);
    core::filesDropped(static_cast<HWND>(window), paths);
}

// Runs the chooser, which it then destroys: the file chosen, if any.
bool runFileChooser(GtkWidget* dialog, const std::vector<backend::FileFilter>& filters, std::string* path) {
    for (const backend::FileFilter& filter : filters) addFilter(GTK_FILE_CHOOSER(dialog), filter);
    bool chosen = false;
    if (gtk_dialog_run(GTK_DIALOG(dialog)) == GTK_RESPONSE_ACCEPT) {
        if (gchar* name = gtk_file_chooser_get_filename(GTK_FILE_CHOOSER(dialog))) {
            *path = name;
            chosen = true;
            g_free(name);
        }
    }
    gtk_widget_destroy(dialog);
    return chosen;
}

}  // namespace

namespace backend {

void messageBox(HWND owner, const std::string& text, const std::string& caption, bool error) {
    GtkWidget* dialog = gtk_message_dialog_new(parentOf(owner), GTK_DIALOG_MODAL,
                                               error ? GTK_MESSAGE_ERROR : GTK_MESSAGE_INFO, GTK_BUTTONS_OK,
                                               "%s", text.c_str());
    gtk_window_set_title(GTK_WINDOW(dialog), caption.c_str());
    gtk_dialog_run(GTK_DIALOG(dialog));
    gtk_widget_destroy(dialog);
}

bool chooseFileToOpen(HWND owner, const std::string& title, const std::vector<FileFilter>& filters,
                      std::string* path) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(title.c_str(), parentOf(owner), GTK_FILE_CHOOSER_ACTION_OPEN,
                                                    "_Cancel", GTK_RESPONSE_CANCEL, "_Open",
                                                    GTK_RESPONSE_ACCEPT, nullptr);
    return runFileChooser(dialog, filters, path);
}

bool chooseFileToSave(HWND owner, const std::string& title, const std::vector<FileFilter>& filters,
                      const std::string& initialName, bool askOverwrite, std::string* path) {
    GtkWidget* dialog = gtk_file_chooser_dialog_new(title.c_str(), parentOf(owner), GTK_FILE_CHOOSER_ACTION_SAVE,
                                                    "_Cancel", GTK_RESPONSE_CANCEL, "_Save",
                                                    GTK_RESPONSE_ACCEPT, nullptr);
    gtk_file_chooser_set_do_overwrite_confirmation(GTK_FILE_CHOOSER(dialog), askOverwrite);
    gtk_file_chooser_set_current_name(GTK_FILE_CHOOSER(dialog), initialName.c_str());
    return runFileChooser(dialog, filters, path);
}

void acceptDroppedFiles(HWND window, bool accept) {
    Gtk_Window* record = Gtk_find(window);
    if (!record || record->kind != WindowKind::TopLevel) return;
    if (!accept) {
        gtk_drag_dest_unset(record->widget);
        return;
    }
    gtk_drag_dest_set(record->widget, GTK_DEST_DEFAULT_ALL, nullptr, 0, GDK_ACTION_COPY);
    gtk_drag_dest_add_uri_targets(record->widget);
    g_signal_handlers_disconnect_by_func(record->widget, reinterpret_cast<gpointer>(onDragDataReceived), window);
    g_signal_connect(record->widget, "drag-data-received", G_CALLBACK(onDragDataReceived), window);
}

}  // namespace backend
