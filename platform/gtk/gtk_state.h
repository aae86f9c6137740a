// The GTK 3 backend's own state, shared by its files (never by the core).
//
// Every window the core creates has one Gtk_Window record: a top-level window
// is a GtkWindow holding a GtkFixed, which holds the GtkDrawingArea showing the
// backing image and the controls at their pixel rectangles; a "button" is a
// GtkButton (a GtkCheckButton for a check box), an "edit" a GtkEntry, a
// "static" a GtkLabel and a "scrollbar" a GtkScrollbar inside its parent's
// GtkFixed.
#pragma once

#include "platform/seam/backend.h"
#include "platform/seam/core.h"

#include <gtk/gtk.h>

#include <map>

struct Gtk_Window {
    backend::WindowKind kind;
    HWND handle;
    HWND parent;            // a control's top-level window; nullptr for a top-level window
    GtkWidget* widget;      // GtkWindow, GtkButton, GtkCheckButton, GtkEntry, GtkLabel or GtkScrollbar
    GtkWidget* fixed;       // top-level only: the container of the client area
    GtkWidget* area;        // top-level only: the drawing area
    RECT client;            // top-level: the client area the core last knew (screen pixels);
                            // control: its rectangle in the parent's client area
    GtkCssProvider* colours;  // edit or static: the colours its parent gave, once asked
    COLORREF textColour, backgroundColour;  // what colours holds
    cairo_surface_t* image;  // top-level only: the backing image last presented (the core's)
};

struct Gtk_Screen {
    bool initialised = false;
    std::map<HWND, Gtk_Window> windows;  // every live window by handle
    // Set while the backend itself changes text or focus, so the GTK signals
    // that follow are not reported to the core as the person's doing.
    int changingQuietly = 0;
};

extern Gtk_Screen Gtk_state;

Gtk_Window* Gtk_find(HWND window);
Gtk_Window* Gtk_findWidget(GtkWidget* widget);

// A horizontal GtkScrollbar whose drags reach the core (gtk_scrollbar.cpp).
GtkWidget* Gtk_newScrollBar(HWND handle);

// Controls (gtk_controls.cpp).
void Gtk_createControl(Gtk_Window& record, const backend::WindowDesc& desc);
void Gtk_placeControl(Gtk_Window& record, const RECT& rect);
void Gtk_setControlText(Gtk_Window& record, const char* text);
// After a top-level window's GtkFixed has placed its children: each control
// of that window back at its own rectangle within the fixed's area.
void Gtk_keepControlRectangles(const GdkRectangle& area, HWND topLevel);

// From start-up on, a top-level window destroyed by another X client reaches
// the core as core::windowLost (gtk_lost.cpp).
void Gtk_watchForLostWindows();

// Presenting the backing image (gtk_present.cpp).
// The client area's drawing area; its owner gives it the whole client area.
GtkWidget* Gtk_createDrawingArea(HWND window);
