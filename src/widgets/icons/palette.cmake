# The toolbar icons' colours, written once: the SVG files name them as @INK@, @BLUE@..., and
# the build puts these values in their place.
set(INK "#283c5a")           # outlines and plain strokes
set(BLUE "#286ec8")          # the configuration (floppy disk, factory)
set(LIGHT_BLUE "#78aadc")    # the filter
set(GREEN "#289646")         # moving data towards the program or into the controller's memory
set(RED "#c83c32")           # what overwrites or restarts the controller
set(PAPER "#fafaf5")         # sheets, windows
set(PALE "#dce1eb")          # a label on a darker body
set(RULE "#96a0aa")          # lines of text on a sheet
set(METAL "#c8c8c8")         # pins, smoke
set(DEVICE "#46505f")        # the controller's case
set(FOLDER "#e6b446")
set(FOLDER_SHADE "#c89d3d")  # the folder's back
