# Tests of the host's dialogs and files: accelerator files, snapshots and the host dialogs.
vorn_add_test(host_accelerator_file_test
  SOURCES accelerator_file_test.cpp
  LIBRARIES VornHost
  LABELS host)

vorn_add_test(host_snapshot_test
  SOURCES snapshot_test.cpp
  LIBRARIES VornHost
  LABELS host)

vorn_add_test(host_plugins_dialog_test
  SOURCES plugins_dialog_test.cpp
  LIBRARIES VornHost
  LABELS host)

vorn_add_test(host_accelerators_dialog_test
  SOURCES accelerators_dialog_test.cpp
  LIBRARIES VornHost
  LABELS host)

vorn_add_test(host_startup_dialogs_test
  SOURCES startup_dialogs_test.cpp
  LIBRARIES VornHost
  LABELS host)

vorn_add_test(host_object_hierarchy_dialog_test
  SOURCES object_hierarchy_dialog_test.cpp
  LIBRARIES VornHost
  LABELS host)

vorn_add_test(host_snap_priority_popup_test
  SOURCES snap_priority_popup_test.cpp
  LIBRARIES VornHost
  LABELS host)

vorn_add_test(host_small_controls_test
  SOURCES small_controls_test.cpp
  LIBRARIES VornHost
  LABELS host)
