# The layers of the program, lowest first. A folder includes and links only
# its own code and the folders of lower layers; folders that share a layer
# (separated by commas) never use each other. tests/layers checks the code
# against this order.
set(ORV_LAYERS
  platform
  palette,resources
  render
  analysis,filters,files
  studio
  ui
  cli,python
  mpi
  app)

# Headers of a lower layer that a folder still may not include, as
# "folder:header" pairs: the studio makes its pictures from values alone,
# never from the desktop program's render state.
set(ORV_LAYER_BARRED studio:render/state.h)

# Programs inside a layer folder that use the layers from above it, by folder
# and by target: the tool that draws the program's pictures at build time.
set(ORV_LAYER_PROGRAMS resources/pictures/tool)
set(ORV_LAYER_PROGRAM_TARGETS orv_picturetool)

# Where Qt may be included: the Qt backend and the program's main.
set(ORV_QT_FOLDERS platform/qt app)

# The engine's folders return results and leave the windows to the desktop:
# they call none of these window and cursor services (WindowDC takes a
# window's context with GetDC). The desktop's commands show the hourglass and
# disable the window around the engine's calls, and give it the surfaces it
# paints.
set(ORV_ENGINE_FOLDERS render analysis filters files palette studio)
set(ORV_WINDOW_CALLS GetDC ReleaseDC WindowDC SetCursor EnableWindow MessageBox InvalidateRect)
