# The installed layout, relocatable as a whole (the programs find share/marrowick from their own
# location): bin/marrowick, bin/marrowick-cli, share/marrowick/ (resources and notices), the
# desktop entry, the MIME type of review projects and the application icon at the usual sizes.

set(MARROWICK_ICON_SIZES 16 22 24 32 48 64 128 256 512)
set(MARROWICK_ICON_SOURCE ${CMAKE_SOURCE_DIR}/resources/desktop/marrowick.svg)

# The PNG icons are rendered from the scalable one, so the two never drift apart.
find_program(MARROWICK_RSVG_CONVERT rsvg-convert REQUIRED)
set(icon_files)
foreach(size IN LISTS MARROWICK_ICON_SIZES)
  set(icon ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps/marrowick.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/hicolor/${size}x${size}/apps
    COMMAND ${MARROWICK_RSVG_CONVERT} -w ${size} -h ${size} -o ${icon} ${MARROWICK_ICON_SOURCE}
    DEPENDS ${MARROWICK_ICON_SOURCE}
    VERBATIM)
  list(APPEND icon_files ${icon})
endforeach()
add_custom_target(marrowick-icons ALL DEPENDS ${icon_files})

install(TARGETS marrowick marrowick-cli RUNTIME DESTINATION bin)
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/ DESTINATION share/marrowick
        PATTERN desktop EXCLUDE PATTERN icons EXCLUDE)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/marrowick.desktop DESTINATION share/applications)
install(FILES ${CMAKE_SOURCE_DIR}/resources/desktop/marrowick-mime.xml DESTINATION share/mime/packages
        RENAME marrowick.xml)
install(FILES ${MARROWICK_ICON_SOURCE} DESTINATION share/icons/hicolor/scalable/apps)
install(DIRECTORY ${CMAKE_BINARY_DIR}/icons/hicolor DESTINATION share/icons)
