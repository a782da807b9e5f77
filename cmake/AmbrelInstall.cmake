# "cmake --install build", run as root, installs both programs side by side
# with what they read beside them (cfg/font.ttf, cfg/usb.cfg,
# cfg/image/logo.png, translations/*.qm) into <prefix>/lib/ambrel, and links
# to them into <prefix>/bin. The prefix is /usr/local unless given: a folder
# that only root may change, as the service's program must be.
set(AMBREL_INSTALL_DIR lib/ambrel)
# Whatever the umask of the one who installs.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS ambrel ambrelsvc RUNTIME DESTINATION ${AMBREL_INSTALL_DIR})
install(DIRECTORY ${PROJECT_BINARY_DIR}/cfg ${PROJECT_BINARY_DIR}/translations
        DESTINATION ${AMBREL_INSTALL_DIR})
install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(MAKE_DIRECTORY \"\${bin}\")
    foreach(program ambrel ambrelsvc)
        message(STATUS \"Installing: \${bin}/\${program}\")
        file(CREATE_LINK ../${AMBREL_INSTALL_DIR}/\${program} \"\${bin}/\${program}\" SYMBOLIC)
        list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${bin}/\${program}\")
    endforeach()
")
