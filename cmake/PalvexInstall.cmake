# The installed package: find_package(PalvexChart) gives PalvexChart::Core
# (the chart without a window) and PalvexChart::Widget (the QWidget), one
# library file each, static or shared; a static build also ships the
# resources (translations, the about picture) as objects, which every
# program must link whole.
include(CMakePackageConfigHelpers)

get_property(palvex_installed_targets GLOBAL PROPERTY palvex_installed_targets)
install(TARGETS ${palvex_installed_targets} EXPORT PalvexChartTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/palvexchart-objects)

set(palvex_config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/PalvexChart)
install(EXPORT PalvexChartTargets NAMESPACE PalvexChart:: DESTINATION ${palvex_config_dir})
set(palvex_qml_import_dir ${QT6_INSTALL_QML})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/PalvexChartConfig.cmake.in
  ${PROJECT_BINARY_DIR}/PalvexChartConfig.cmake INSTALL_DESTINATION ${palvex_config_dir}
  PATH_VARS palvex_qml_import_dir)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PalvexChartConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PalvexChartConfig.cmake
              ${PROJECT_BINARY_DIR}/PalvexChartConfigVersion.cmake
  DESTINATION ${palvex_config_dir})

# The public headers only: the internal layers' headers stay in the project.
file(GLOB palvex_public_headers ${PROJECT_SOURCE_DIR}/include/palvex/*.h)
list(REMOVE_ITEM palvex_public_headers ${PROJECT_SOURCE_DIR}/include/palvex/palvexchartquickitem.h)
install(FILES ${palvex_public_headers}
              ${PROJECT_BINARY_DIR}/include/palvex/palvexcore_export.h
              ${PROJECT_BINARY_DIR}/include/palvex/palvexwidget_export.h
              ${PROJECT_BINARY_DIR}/include/palvex/palvexversion.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/palvex)

# pkg-config files for builds without CMake: palvexchart-core and
# palvexchart-widget. Shared libraries only: a static build links the
# internal archives too, which the CMake package lists for you.
if(BUILD_SHARED_LIBS)
  # Found from the file's own place, so the package works under any
  # --prefix it is installed with.
  file(RELATIVE_PATH PALVEX_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
  foreach(library Core Widget)
    string(TOLOWER ${library} lower)
    set(PALVEX_PC_NAME ${library})
    set(PALVEX_PC_LIBRARY palvex_${lower})
    if(library STREQUAL "Core")
      set(PALVEX_PC_DESCRIPTION "The animated bar chart without a window")
      set(PALVEX_PC_REQUIRES "Qt6Core Qt6Gui")
    else()
      set(PALVEX_PC_DESCRIPTION "The animated bar chart as a Qt widget")
      set(PALVEX_PC_REQUIRES "palvexchart-core Qt6Widgets")
    endif()
    configure_file(${CMAKE_CURRENT_LIST_DIR}/palvexchart.pc.in
      ${PROJECT_BINARY_DIR}/palvexchart-${lower}.pc @ONLY)
    install(FILES ${PROJECT_BINARY_DIR}/palvexchart-${lower}.pc
      DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
  endforeach()
endif()

# PalvexChart::Quick and the QML module: the library beside the others,
# with a target file of its own so that a package without Qt Quick on the
# machine still gives Core and Widget; the module (qmldir, plugin, type
# information) in Qt's QML folder under the prefix, where Qt finds it when
# the prefix is Qt's own and QML_IMPORT_PATH or addImportPath() otherwise.
if(TARGET palvex_quick)
  install(TARGETS palvex_quick EXPORT PalvexChartQuickTargets
    LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
    RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(EXPORT PalvexChartQuickTargets NAMESPACE PalvexChart:: DESTINATION ${palvex_config_dir})
  install(FILES ${PROJECT_SOURCE_DIR}/include/palvex/palvexchartquickitem.h
                ${PROJECT_BINARY_DIR}/include/palvex/palvexquick_export.h
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/palvex)
  set(palvex_qml_module_dir ${QT6_INSTALL_QML}/PalvexChart)
  file(RELATIVE_PATH to_libraries /prefix/${palvex_qml_module_dir} /prefix/${CMAKE_INSTALL_LIBDIR})
  set_target_properties(palvex_quickplugin PROPERTIES INSTALL_RPATH "$ORIGIN/${to_libraries}")
  install(TARGETS palvex_quickplugin LIBRARY DESTINATION ${palvex_qml_module_dir})
  install(FILES ${PROJECT_BINARY_DIR}/qml/PalvexChart/qmldir
                ${PROJECT_BINARY_DIR}/qml/PalvexChart/palvex_quick.qmltypes
    DESTINATION ${palvex_qml_module_dir})
endif()
