#pragma once

#include <memory>
#include <string>

class QPoint;
class QWidget;
class tinifile2;

// The settings file for a window (named by its objectName), with its placement
// read back and applied when restore is set. The caller releases the object,
// which writes the file when something was written.
std::unique_ptr<tinifile2> OpenSettings(QWidget* window, bool restore, const std::string& prefix = {});

// The settings file with the window's normal (not minimised or maximised)
// placement written into it; the caller may add values before releasing it.
std::unique_ptr<tinifile2> SaveWindowPlacement(QWidget* window, const std::string& prefix = {});

// Where the window's frame stands as the window manager reports it, which is
// where it puts a frame that move() asks for; pos() where the system cannot tell.
// Qt's own idea of the frame may be off by the frame's border.
QPoint FramePosition(const QWidget& window);
