// A GTK 3 program for the end-to-end tests: one window named "gtklog" with a text
// field, which translates keys with GTK's own keymap and composes dead keys with
// its own input method, as GTK editors do. It writes lines on standard output:
//   window <id>          first, once the window is shown
//   focus in / focus out as the window gains and loses the keyboard focus
//   text <whole text>    after every change, a line break written as \n

#include <gdk/gdkx.h>
#include <gtk/gtk.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

void Say(const std::string& line)
{
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

void TextChanged(GtkTextBuffer* buffer, gpointer)
{
    GtkTextIter start, end;
    gtk_text_buffer_get_bounds(buffer, &start, &end);
    gchar* text = gtk_text_buffer_get_text(buffer, &start, &end, FALSE);
    std::string line = "text ";
    for (const char* c = text; *c; ++c)
        line += *c == '\n' ? std::string("\\n") : std::string(1, *c);
    g_free(text);
    Say(line);
}

gboolean FocusChanged(GtkWidget*, GdkEventFocus* event, gpointer)
{
    Say(event->in ? "focus in" : "focus out");
    return FALSE;
}

} // namespace

int main(int argc, char** argv)
{
    // The input method every GTK program has, not one a desktop may add.
    g_setenv("GTK_IM_MODULE", "gtk-im-context-simple", TRUE);
    g_setenv("NO_AT_BRIDGE", "1", TRUE);
    gdk_set_allowed_backends("x11");
    gtk_init(&argc, &argv);
    GtkWidget* window = gtk_window_new(GTK_WINDOW_TOPLEVEL);
    gtk_window_set_title(GTK_WINDOW(window), "gtklog");
    gtk_window_set_default_size(GTK_WINDOW(window), 400, 200);
    if (argc > 2)
        gtk_window_move(GTK_WINDOW(window), std::atoi(argv[1]), std::atoi(argv[2]));
    GtkWidget* view = gtk_text_view_new();
    gtk_container_add(GTK_CONTAINER(window), view);
    g_signal_connect(gtk_text_view_get_buffer(GTK_TEXT_VIEW(view)), "changed", G_CALLBACK(TextChanged), nullptr);
    g_signal_connect(window, "focus-in-event", G_CALLBACK(FocusChanged), nullptr);
    g_signal_connect(window, "focus-out-event", G_CALLBACK(FocusChanged), nullptr);
    g_signal_connect(window, "destroy", G_CALLBACK(gtk_main_quit), nullptr);
    gtk_widget_show_all(window);
    gtk_widget_grab_focus(view);
    Say("window " + std::to_string(gdk_x11_window_get_xid(gtk_widget_get_window(window))));
    gtk_main();
    return 0;
}
