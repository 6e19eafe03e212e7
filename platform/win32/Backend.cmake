# The platform layer over Win32, its resources and the executable: one .exe that needs nothing
# installed beside it.
enable_language(RC)

# Windows 7 is the oldest system the calls below exist on (GetLocaleInfoEx, SetProcessDPIAware).
set(VOK_WIN32_DEFINITIONS UNICODE _UNICODE NOMINMAX WINVER=0x0601 _WIN32_WINNT=0x0601)
target_compile_definitions(core PUBLIC ${VOK_WIN32_DEFINITIONS})
target_sources(core PRIVATE platform/core/win32/Text.cpp platform/core/win32/Locale.cpp)

target_sources(gui PRIVATE
    platform/win32/Application.cpp
    platform/win32/Form.cpp
    platform/win32/Dpi.cpp
    platform/win32/Focus.cpp
    platform/win32/FileDrops.cpp
    platform/win32/Controls.cpp
    platform/win32/Menus.cpp
    platform/win32/PictureBox.cpp
    platform/win32/ThaiFont.cpp
    platform/win32/OpenFileDialog.cpp
    platform/win32/DeviceContext.cpp
    platform/win32/Clipboard.cpp
    platform/win32/ErrorGuard.cpp
    platform/win32/BusyCursor.cpp
)
# The shell's, COM's and the dialogs' libraries are not linked: systemFunction loads them at
# first use, so that the start does not wait for them.
target_link_libraries(gui PUBLIC gdi32 user32 uuid)

# The version for the resource script.
file(CONFIGURE OUTPUT ${CMAKE_CURRENT_BINARY_DIR}/win32/Version.h CONTENT [[
#define VOK_VERSION_MAJOR @PROJECT_VERSION_MAJOR@
#define VOK_VERSION_MINOR @PROJECT_VERSION_MINOR@
#define VOK_VERSION_PATCH @PROJECT_VERSION_PATCH@
#define VOK_VERSION_TEXT "@PROJECT_VERSION@"
]])

# WIN32 makes it a GUI program (-mwindows). Without -municode MinGW's start-up code calls main()
# for a GUI program as well; the program takes no arguments, so their encoding does not matter.
add_executable(kelvane-vok WIN32 main.cpp platform/win32/kelvane-vok.rc)
target_include_directories(kelvane-vok PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}
                                               ${CMAKE_CURRENT_BINARY_DIR}/win32)
target_link_libraries(kelvane-vok PRIVATE gui)
# Static, so the one file runs on any Windows without the compiler's run-time DLLs; address
# space layout randomisation (64-bit, high entropy) and no execution of data pages. A release
# carries no symbols, which would triple its size.
target_link_options(kelvane-vok PRIVATE -static -static-libgcc -static-libstdc++
                    LINKER:--dynamicbase,--nxcompat,--high-entropy-va
                    $<$<CONFIG:Release,MinSizeRel>:-s>)
set_property(SOURCE platform/win32/kelvane-vok.rc APPEND PROPERTY OBJECT_DEPENDS
             ${CMAKE_CURRENT_SOURCE_DIR}/platform/win32/kelvane-vok.manifest
             ${CMAKE_CURRENT_SOURCE_DIR}/resources/icon.ico
             ${CMAKE_CURRENT_SOURCE_DIR}/resources/glyph-new.bmp
             ${CMAKE_CURRENT_SOURCE_DIR}/resources/glyph-open.bmp
             ${CMAKE_CURRENT_SOURCE_DIR}/resources/glyph-camera.bmp
             ${CMAKE_CURRENT_SOURCE_DIR}/resources/glyph-exit.bmp)
