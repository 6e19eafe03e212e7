# The platform layer over Qt Widgets, its resources and the executable.
target_sources(gui PRIVATE
    platform/qt/Application.cpp
    platform/qt/Form.cpp
    platform/qt/Controls.cpp
    platform/qt/FileDrops.cpp
    platform/qt/ScreenDpi.cpp
    platform/qt/PictureBoxWidget.cpp
    platform/qt/PictureButtonWidget.cpp
    platform/qt/CaptionWidget.cpp
    platform/qt/OpenFileDialog.cpp
    platform/qt/ErrorGuard.cpp
    platform/qt/ThaiFont.cpp
    platform/qt/DeviceContext.cpp
    platform/qt/Clipboard.cpp
)
target_link_libraries(gui PUBLIC Qt6::Widgets)
qt_add_resources(gui "resources" PREFIX "/" FILES
    resources/icon-16.png
    resources/icon-32.png
    resources/icon-48.png
    resources/glyph-new.png
    resources/glyph-open.png
    resources/glyph-camera.png
    resources/glyph-exit.png
)

# Redraws the images under resources/ (committed); not part of a normal build.
qt_add_executable(vok-make-images EXCLUDE_FROM_ALL resources/make-images.cpp)
target_link_libraries(vok-make-images PRIVATE Qt6::Gui)

qt_add_executable(kelvane-vok WIN32 MACOSX_BUNDLE main.cpp)
target_link_libraries(kelvane-vok PRIVATE gui)
