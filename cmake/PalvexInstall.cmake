# The installed package: find_package(PalvexChart) gives PalvexChart::Core
# (the control with the headless host) and PalvexChart::Widget (the QWidget),
# with the layer libraries beneath them.
include(CMakePackageConfigHelpers)

get_property(palvex_installed_targets GLOBAL PROPERTY palvex_installed_targets)
install(TARGETS ${palvex_installed_targets} EXPORT PalvexChartTargets
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  OBJECTS DESTINATION ${CMAKE_INSTALL_LIBDIR}/palvexchart-objects)

set(palvex_config_dir ${CMAKE_INSTALL_LIBDIR}/cmake/PalvexChart)
install(EXPORT PalvexChartTargets NAMESPACE PalvexChart:: DESTINATION ${palvex_config_dir})
configure_package_config_file(${CMAKE_CURRENT_LIST_DIR}/PalvexChartConfig.cmake.in
  ${PROJECT_BINARY_DIR}/PalvexChartConfig.cmake INSTALL_DESTINATION ${palvex_config_dir})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/PalvexChartConfigVersion.cmake
  COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/PalvexChartConfig.cmake
              ${PROJECT_BINARY_DIR}/PalvexChartConfigVersion.cmake
  DESTINATION ${palvex_config_dir})

# The widget's header, the control's and the headless host's, with every
# header they include (the layers' own names stay on the include path until
# the public headers include only <palvex/...>).
set(palvex_public_headers
  widget/palvex_chart_widget.h
  control/palvex_chart.h
  model/chart_item.h
  model/chart_state.h
  model/child_controls.h
  model/events.h
  model/pointer.h
  platform/bag_value.h
  platform/chart_error.h
  platform/clock.h
  platform/color.h
  platform/font.h
  platform/host.h
  platform/menu_item.h
  platform/property_bag.h
  platform/screen.h
  platform/surface.h
  platform/qt/fonts.h
  platform/qt/headless_host.h
  platform/qt/image_io.h
  platform/qt/json_property_bag.h
  platform/qt/qt_host.h)
foreach(header ${palvex_public_headers})
  get_filename_component(folder ${header} DIRECTORY)
  install(FILES ${PROJECT_SOURCE_DIR}/src/${header}
    DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/palvex/${folder})
endforeach()
