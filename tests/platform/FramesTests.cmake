# Tests of frames, menus, toolbars, docking, rich controls, views and GL surfaces.
vorn_add_test(platform_gl_surface_test
  SOURCES gl_surface_test.cpp
  LIBRARIES vornplatform OpenGL::GL OpenGL::GLU
  LABELS platform gl)
vorn_add_test(platform_dialog_bar_layout_test
  SOURCES dialog_bar_layout_test.cpp
  LIBRARIES vornplatform
  LABELS platform)
vorn_add_test(platform_bmp_file_test
  SOURCES bmp_file_test.cpp
  LIBRARIES vornplatform
  LABELS platform)
vorn_add_test(platform_image_list_test
  SOURCES image_list_test.cpp
  LIBRARIES vornplatform
  LABELS platform)
vorn_add_test(platform_menu_command_test
  SOURCES menu_command_test.cpp
  LIBRARIES vornplatform VornHost Qt6::Widgets
  LABELS platform)
vorn_add_test(platform_toolbar_test
  SOURCES toolbar_test.cpp
  LIBRARIES vornplatform Qt6::Widgets
  LABELS platform)
find_package(Qt6 REQUIRED COMPONENTS Test)
vorn_add_test(platform_rich_controls_test
  SOURCES rich_controls_test.cpp
  LIBRARIES vornplatform Qt6::Widgets Qt6::Test
  LABELS platform)
vorn_add_test(platform_frame_test
  SOURCES frame_test.cpp
  LIBRARIES vornplatform Qt6::Widgets Qt6::Test OpenGL::GL
  LABELS platform)
