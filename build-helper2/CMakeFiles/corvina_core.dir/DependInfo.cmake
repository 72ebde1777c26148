
# Consider dependencies only in project.
set(CMAKE_DEPENDS_IN_PROJECT_ONLY OFF)

# The set of languages for which implicit dependencies are needed:
set(CMAKE_DEPENDS_LANGUAGES
  )

# The set of dependency files which are needed:
set(CMAKE_DEPENDS_DEPENDENCY_FILES
  "/work/main/build-helper2/corvina-resources.c" "CMakeFiles/corvina_core.dir/corvina-resources.c.o" "gcc" "CMakeFiles/corvina_core.dir/corvina-resources.c.o.d"
  "/work/main/src/app/AITab.cpp" "CMakeFiles/corvina_core.dir/src/app/AITab.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/app/AITab.cpp.o.d"
  "/work/main/src/app/AppLanguage.cpp" "CMakeFiles/corvina_core.dir/src/app/AppLanguage.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/app/AppLanguage.cpp.o.d"
  "/work/main/src/app/AppSettings.cpp" "CMakeFiles/corvina_core.dir/src/app/AppSettings.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/app/AppSettings.cpp.o.d"
  "/work/main/src/app/AppState.cpp" "CMakeFiles/corvina_core.dir/src/app/AppState.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/app/AppState.cpp.o.d"
  "/work/main/src/app/CorvinaApplication.cpp" "CMakeFiles/corvina_core.dir/src/app/CorvinaApplication.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/app/CorvinaApplication.cpp.o.d"
  "/work/main/src/app/LocalizationManager.cpp" "CMakeFiles/corvina_core.dir/src/app/LocalizationManager.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/app/LocalizationManager.cpp.o.d"
  "/work/main/src/app/MenuCommands.cpp" "CMakeFiles/corvina_core.dir/src/app/MenuCommands.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/app/MenuCommands.cpp.o.d"
  "/work/main/src/panels/ClipboardManager.cpp" "CMakeFiles/corvina_core.dir/src/panels/ClipboardManager.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/panels/ClipboardManager.cpp.o.d"
  "/work/main/src/panels/CustomTab.cpp" "CMakeFiles/corvina_core.dir/src/panels/CustomTab.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/panels/CustomTab.cpp.o.d"
  "/work/main/src/panels/CustomTabManager.cpp" "CMakeFiles/corvina_core.dir/src/panels/CustomTabManager.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/panels/CustomTabManager.cpp.o.d"
  "/work/main/src/platform/LoginItem.cpp" "CMakeFiles/corvina_core.dir/src/platform/LoginItem.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/platform/LoginItem.cpp.o.d"
  "/work/main/src/platform/MainQueue.cpp" "CMakeFiles/corvina_core.dir/src/platform/MainQueue.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/platform/MainQueue.cpp.o.d"
  "/work/main/src/platform/NotificationCenter.cpp" "CMakeFiles/corvina_core.dir/src/platform/NotificationCenter.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/platform/NotificationCenter.cpp.o.d"
  "/work/main/src/platform/Pasteboard.cpp" "CMakeFiles/corvina_core.dir/src/platform/Pasteboard.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/platform/Pasteboard.cpp.o.d"
  "/work/main/src/platform/PreferenceStore.cpp" "CMakeFiles/corvina_core.dir/src/platform/PreferenceStore.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/platform/PreferenceStore.cpp.o.d"
  "/work/main/src/platform/Transliteration.cpp" "CMakeFiles/corvina_core.dir/src/platform/Transliteration.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/platform/Transliteration.cpp.o.d"
  "/work/main/src/platform/XdgPaths.cpp" "CMakeFiles/corvina_core.dir/src/platform/XdgPaths.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/platform/XdgPaths.cpp.o.d"
  "/work/main/src/ui/Accessibility.cpp" "CMakeFiles/corvina_core.dir/src/ui/Accessibility.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/ui/Accessibility.cpp.o.d"
  "/work/main/src/ui/MainWindow.cpp" "CMakeFiles/corvina_core.dir/src/ui/MainWindow.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/ui/MainWindow.cpp.o.d"
  "/work/main/src/ui/SettingsWindow.cpp" "CMakeFiles/corvina_core.dir/src/ui/SettingsWindow.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/ui/SettingsWindow.cpp.o.d"
  "/work/main/src/ui/TopStrip.cpp" "CMakeFiles/corvina_core.dir/src/ui/TopStrip.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/ui/TopStrip.cpp.o.d"
  "/work/main/src/web/ContextMenuTitles.cpp" "CMakeFiles/corvina_core.dir/src/web/ContextMenuTitles.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/web/ContextMenuTitles.cpp.o.d"
  "/work/main/src/web/DownloadNames.cpp" "CMakeFiles/corvina_core.dir/src/web/DownloadNames.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/web/DownloadNames.cpp.o.d"
  "/work/main/src/web/DownloadSettings.cpp" "CMakeFiles/corvina_core.dir/src/web/DownloadSettings.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/web/DownloadSettings.cpp.o.d"
  "/work/main/src/web/ResponsePolicy.cpp" "CMakeFiles/corvina_core.dir/src/web/ResponsePolicy.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/web/ResponsePolicy.cpp.o.d"
  "/work/main/src/web/WebKeys.cpp" "CMakeFiles/corvina_core.dir/src/web/WebKeys.cpp.o" "gcc" "CMakeFiles/corvina_core.dir/src/web/WebKeys.cpp.o.d"
  )

# Targets to which this target links.
set(CMAKE_TARGET_LINKED_INFO_FILES
  )

# Fortran module output directory.
set(CMAKE_Fortran_TARGET_MODULE_DIR "")
