# The drawing frame's size in pixels, read from the header both programs share, for what the build configures
# around them (the manual page, the end-to-end tests): DUNESTRIDE_DRAWING_FRAME_WIDTH and _HEIGHT.
set(drawingFrameHeader ${PROJECT_SOURCE_DIR}/trajectory/include/trajectory/DrawingFrame.h)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${drawingFrameHeader})
file(STRINGS ${drawingFrameHeader} drawingFrameSizes REGEX "constexpr int k(Width|Height) = [0-9]+;")
string(REGEX MATCH "kWidth = ([0-9]+)" drawingFrameWidth "${drawingFrameSizes}")
set(DUNESTRIDE_DRAWING_FRAME_WIDTH ${CMAKE_MATCH_1})
string(REGEX MATCH "kHeight = ([0-9]+)" drawingFrameHeight "${drawingFrameSizes}")
set(DUNESTRIDE_DRAWING_FRAME_HEIGHT ${CMAKE_MATCH_1})
if(NOT DUNESTRIDE_DRAWING_FRAME_WIDTH OR NOT DUNESTRIDE_DRAWING_FRAME_HEIGHT)
    message(FATAL_ERROR "the drawing frame's size was not found in ${drawingFrameHeader}")
endif()
