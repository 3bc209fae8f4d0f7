# Installation as Linux users expect it, and the Debian package.
#   cmake --install build [--prefix DOSSIER]   (/usr/local by default)
#   cd build && cpack -G DEB                   (trazel_VERSION_ARCH.deb, installed in /usr)
# Installed: bin/trazel and bin/trazel-gui; the desktop entry, its icon and the ".fgr" file
# type; the manual pages; the guide, the language's description and the example figures
# under share/doc/trazel, laid out as in the sources so that the guide's links still work.

include(GNUInstallDirs)

set(TRAZEL_INSTALLATION ${PROJECT_SOURCE_DIR}/installation)

# Manual pages and the changelog go compressed, as Debian wants them: gzip -9n, so the
# archive holds no name or date and the package builds the same twice.
find_program(TRAZEL_GZIP gzip REQUIRED)
set(TRAZEL_COMPRESSES ${PROJECT_BINARY_DIR}/installation)
set(trazel_sources_compressees ${TRAZEL_INSTALLATION}/trazel.1 ${TRAZEL_INSTALLATION}/changelog)
if(TRAZEL_GUI)
    list(APPEND trazel_sources_compressees ${TRAZEL_INSTALLATION}/trazel-gui.1)
endif()
set(trazel_compresses)
foreach(source IN LISTS trazel_sources_compressees)
    get_filename_component(nom ${source} NAME)
    set(sortie ${TRAZEL_COMPRESSES}/${nom}.gz)
    add_custom_command(OUTPUT ${sortie}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${TRAZEL_COMPRESSES}
        COMMAND sh -c "\"$0\" -9n -c \"$1\" > \"$2\"" ${TRAZEL_GZIP} ${source} ${sortie}
        DEPENDS ${source} VERBATIM)
    list(APPEND trazel_compresses ${sortie})
endforeach()
add_custom_target(trazel_fichiers_compresses ALL DEPENDS ${trazel_compresses})

install(TARGETS trazel RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${TRAZEL_COMPRESSES}/trazel.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TRAZEL_COMPRESSES}/changelog.gz ${TRAZEL_INSTALLATION}/copyright
        DESTINATION ${CMAKE_INSTALL_DOCDIR})
# bash loads a command's completion on demand from a file named after the command.
install(FILES ${TRAZEL_INSTALLATION}/trazel.bash-completion
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME trazel)
if(TRAZEL_GUI)
    install(FILES ${TRAZEL_INSTALLATION}/trazel.bash-completion
            DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions RENAME trazel-gui)
endif()
install(FILES ${TRAZEL_INSTALLATION}/trazel.lintian-overrides
        DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME trazel)

if(TRAZEL_GUI)
    install(TARGETS trazel-gui RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    install(FILES ${TRAZEL_COMPRESSES}/trazel-gui.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${TRAZEL_INSTALLATION}/trazel.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    install(FILES ${TRAZEL_INSTALLATION}/trazel.svg
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
    install(FILES ${TRAZEL_INSTALLATION}/trazel-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME trazel.xml)
endif()

install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/docs
        FILES_MATCHING PATTERN "*.md" PATTERN "*.png")
install(DIRECTORY ${PROJECT_SOURCE_DIR}/exemples/ DESTINATION ${CMAKE_INSTALL_DOCDIR}/exemples
        FILES_MATCHING PATTERN "*.fgr")

# A direct installation refreshes the desktop's caches so that ".fgr" files open in Trazel at
# once. A package does not: its manager's triggers do it on the target machine, and the
# caches must not end up in the package (CPack installs under its own staging prefix).
if(TRAZEL_GUI)
    install(CODE [[
        set(dossier_donnees "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}/share")
        if("$ENV{DESTDIR}" STREQUAL "" AND NOT CMAKE_INSTALL_PREFIX MATCHES "/_CPack_Packages/")
            find_program(trazel_mime update-mime-database)
            find_program(trazel_bureau update-desktop-database)
            find_program(trazel_icones gtk-update-icon-cache)
            if(trazel_mime)
                execute_process(COMMAND ${trazel_mime} "${dossier_donnees}/mime")
            endif()
            if(trazel_bureau)
                execute_process(COMMAND ${trazel_bureau} "${dossier_donnees}/applications")
            endif()
            if(trazel_icones)
                execute_process(COMMAND ${trazel_icones} -q -t "${dossier_donnees}/icons/hicolor")
            endif()
        endif()
    ]])
endif()

# Undoing a direct installation, caches included (the package manager does it for the
# package): cmake --build build --target desinstaller
add_custom_target(desinstaller
    COMMAND ${CMAKE_COMMAND} -DMANIFESTE=${PROJECT_BINARY_DIR}/install_manifest.txt
            -P ${PROJECT_SOURCE_DIR}/cmake/desinstaller.cmake
    COMMENT "Désinstallation de Trazel" VERBATIM)

# The Debian package.
set(CPACK_PACKAGE_NAME trazel)
set(CPACK_PACKAGE_VENDOR "Trazel")
set(CPACK_PACKAGE_CONTACT "Trazel <trazel@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "figures de géométrie plane transcrites en images PSTricks pour LaTeX")
# Lines of the description stay under 80 characters (lintian).
set(CPACK_PACKAGE_DESCRIPTION
    "Trazel lit une figure de géométrie plane écrite dans le langage de
figures Figuro (fichier .fgr) et en fait une image PSTricks (fichier .crb)
à inclure dans un document LaTeX, ou une image TikZ, SVG ou PDF. Chaque
objet est calculé en réels étendus et découpé à la fenêtre de l'image.
Le paquet contient la commande trazel et le programme de bureau
trazel-gui, qui montre la figure à côté de son texte, trace des tangentes
et compile l'image. La commande trazel est liée statiquement : sans
bibliothèque partagée à charger, elle démarre deux fois plus vite, ce qui
compte quand un Makefile transcrit de nombreuses figures.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY trazel)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION tex)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The libraries the programs link against, found by dpkg-shlibdeps when it is there
# (package dpkg-dev); otherwise the Qt 6 and C++ runtime packages of Debian 12.
find_program(TRAZEL_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TRAZEL_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libc6, libstdc++6, libgcc-s1")
    if(TRAZEL_GUI)
        string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS
               ", libqt6widgets6, libqt6gui6, libqt6core6, libqt6concurrent6")
    endif()
endif()
# Compiling the pictures needs latex, dvips and PSTricks, or pdflatex and TikZ
# (texlive-pictures) for the TikZ and PDF formats; ghostscript shows them in the desktop
# program; gv is the PostScript viewer Trazel looks for first.
# qt6-translations-l10n puts Qt's own dialogs (the file chooser) in French.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS
    "texlive-latex-base, texlive-pstricks, texlive-pictures, ghostscript, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "gv")
include(CPack)
