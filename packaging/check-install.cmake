# Checks what the build installs and packages.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DGUI=ON|OFF -DAPP_ID=... -DCHECK=tree|deb -P check-install.cmake
# tree: installs into a throw-away DESTDIR with prefix /usr and checks the
#       tree file by file, runs both installed programs and validates the
#       desktop entry and the icon.
# deb:  builds the Debian package with CPack and checks its contents and
#       declared dependencies; validates its AppStream record, desktop entry
#       and manual pages and runs lintian on it, any error or warning failing
#       the check; where apt-get is present, simulates installing it.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR SOURCE_DIR GUI APP_ID CHECK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

set(work "${BUILD_DIR}/install-test")
set(app_name "衡川2.0（升级版）")
set(app_id "${APP_ID}")

set(expected_files
    usr/bin/hengchuan-script
    usr/share/doc/hengchuan/changelog.gz
    usr/share/doc/hengchuan/copyright
    usr/share/man/man1/hengchuan-script.1.gz)
if(GUI)
  list(APPEND expected_files
       usr/bin/hengchuan
       usr/share/applications/${app_id}.desktop
       usr/share/hengchuan/screenshots/main-screen.png
       usr/share/hengchuan/screenshots/trading-costs.png
       usr/share/icons/hicolor/scalable/apps/hengchuan.svg
       usr/share/man/man1/hengchuan.1.gz
       usr/share/metainfo/${app_id}.metainfo.xml)
endif()
list(SORT expected_files)

# Fails with the message unless the condition (if() syntax, in a string) holds.
macro(require condition what)
  cmake_language(EVAL CODE "if(NOT (${condition}))\n message(FATAL_ERROR [==[${what}]==])\nendif()")
endmacro()

function(run_checked)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "failed (${rc}): ${ARGN}\n${out}\n${err}")
  endif()
  set(run_output "${out}" PARENT_SCOPE)
endfunction()

# ---------------------------------------------------------------- installed tree
if(CHECK STREQUAL "tree")
  set(root "${work}/root")
  file(REMOVE_RECURSE "${root}")
  run_checked(${CMAKE_COMMAND} -E env "DESTDIR=${root}" ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix /usr)

  # Exactly the expected files, nothing else (no libraries, headers or tests).
  file(GLOB_RECURSE found RELATIVE "${root}" LIST_DIRECTORIES false "${root}/*")
  list(SORT found)
  if(NOT found STREQUAL expected_files)
    message(FATAL_ERROR "installed files:\n  ${found}\nexpected:\n  ${expected_files}")
  endif()

  # The script driver runs from the tree.
  file(WRITE "${work}/title.hcs" "title Form1\nclick Form1 Command1\nget Form1 Text3\n")
  run_checked("${root}/usr/bin/hengchuan-script" "${work}/title.hcs")
  string(CONCAT want "Form1.title=衡川2.0（升级版）    作者：听风客\n" "Form1.Text3=9.70\n")
  require("run_output STREQUAL want" "hengchuan-script printed:\n${run_output}")

  if(GUI)
    # The program starts from the tree and quits once its window is up.
    run_checked(${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=offscreen HENGCHUAN_QUIT_AFTER_SHOW=1
                HENGCHUAN_AUTO_ANSWER=1 "${root}/usr/bin/hengchuan")

    set(desktop "${root}/usr/share/applications/${app_id}.desktop")
    file(READ "${desktop}" desktop_text)
    string(REPLACE "\r" "" desktop_text "\n${desktop_text}\n")
    # Whole lines only; the values hold semicolons, so no CMake lists here.
    macro(require_line wanted)
      string(FIND "${desktop_text}" "\n${wanted}\n" at)
      if(at EQUAL -1)
        message(FATAL_ERROR "the desktop entry lacks the line ${wanted}")
      endif()
    endmacro()
    require_line("[Desktop Entry]")
    require_line("Type=Application")
    require_line("Name=${app_name}")
    require_line("Exec=hengchuan")
    require_line("Icon=hengchuan")
    require_line("Terminal=false")
    require_line("Categories=Office;Finance;")
    find_program(validate desktop-file-validate)
    if(validate)
      run_checked("${validate}" "${desktop}")
      if(NOT run_output STREQUAL "")
        message(FATAL_ERROR "desktop-file-validate: ${run_output}")
      endif()
    endif()

    set(icon "${root}/usr/share/icons/hicolor/scalable/apps/hengchuan.svg")
    file(READ "${icon}" svg)
    string(FIND "${svg}" "<svg xmlns=\"http://www.w3.org/2000/svg\"" at)
    require("NOT at EQUAL -1" "the icon is not an SVG image")
    find_program(xmllint xmllint)
    if(xmllint)
      run_checked("${xmllint}" --noout "${icon}")
    endif()
  endif()
  file(REMOVE_RECURSE "${root}")
  message(STATUS "installed tree: ${found}")

# ---------------------------------------------------------------- Debian package
elseif(CHECK STREQUAL "deb")
  find_program(dpkg_deb dpkg-deb)
  find_program(shlibdeps dpkg-shlibdeps)
  if(NOT dpkg_deb OR NOT shlibdeps)
    message(STATUS "SKIPPED: dpkg-deb and dpkg-shlibdeps are needed to build the package")
    return()
  endif()
  get_filename_component(cmake_dir "${CMAKE_COMMAND}" DIRECTORY)
  find_program(cpack cpack HINTS "${cmake_dir}" NO_DEFAULT_PATH)
  if(NOT cpack)
    find_program(cpack cpack)
  endif()
  set(out "${work}/deb")
  file(REMOVE_RECURSE "${out}")
  run_checked("${cpack}" -G DEB -B "${out}" --config "${BUILD_DIR}/CPackConfig.cmake")
  file(GLOB debs "${out}/*.deb")
  list(LENGTH debs count)
  require("count EQUAL 1" "cpack made ${count} packages: ${debs}")

  run_checked("${dpkg_deb}" --field "${debs}" Package Architecture Depends Recommends)
  set(control "${run_output}")
  set(wanted "Package: hengchuan" "Depends:.*libc6" "Depends:.*libstdc[+][+]6")
  if(GUI)
    list(APPEND wanted "Recommends: fcitx5-frontend-qt6")
    list(APPEND wanted "Depends:.*libqt6widgets6" "Depends:.*libqt6gui6" "Depends:.*qt6-qpa-plugins"
         "Depends:.*fonts-arphic-uming [|] fonts-noto-cjk [|] fonts-wqy-zenhei" "Depends:.*qt6-translations-l10n")
  endif()
  foreach(pattern IN LISTS wanted)
    if(NOT control MATCHES "${pattern}")
      message(FATAL_ERROR "the package control does not match ${pattern}:\n${control}")
    endif()
  endforeach()

  run_checked("${dpkg_deb}" --contents "${debs}")
  set(listing "${run_output}")
  foreach(file IN LISTS expected_files)
    string(FIND "${listing}" " ./${file}\n" at)
    if(at EQUAL -1)
      message(FATAL_ERROR "the package lacks ${file}:\n${listing}")
    endif()
  endforeach()
  if(listing MATCHES "[.](a|h|so)\n")
    message(FATAL_ERROR "the package holds libraries or headers:\n${listing}")
  endif()

  # What desktops and Debian's tools make of the package: not one error or
  # warning (notes and hints are allowed).
  function(require_tool var name package)
    find_program(${var} ${name})
    if(NOT ${var})
      message(FATAL_ERROR "${name} is missing: tools/deps.sh test installs it (Debian package ${package})")
    endif()
  endfunction()
  set(tree "${out}/tree")
  run_checked("${dpkg_deb}" -x "${debs}" "${tree}")

  require_tool(lintian lintian lintian)
  execute_process(COMMAND "${lintian}" --fail-on error,warning "${debs}" RESULT_VARIABLE rc OUTPUT_VARIABLE said
                  ERROR_VARIABLE lintian_err)
  if(NOT rc EQUAL 0 OR said MATCHES "(^|\n)[EW]: ")
    message(FATAL_ERROR "lintian (status ${rc}):\n${said}${lintian_err}")
  endif()

  # Every manual page renders without a warning from groff, all warnings on,
  # its UTF-8 read as man reads it.
  require_tool(groff groff groff-base)
  file(GLOB pages "${tree}/usr/share/man/man1/*.1.gz")
  foreach(page IN LISTS pages)
    execute_process(COMMAND gzip -dc "${page}" COMMAND "${groff}" -k -ww -z -man -Tutf8 RESULT_VARIABLE rc
                    OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT rc EQUAL 0 OR NOT said STREQUAL "")
      message(FATAL_ERROR "groff on ${page} (status ${rc}):\n${said}")
    endif()
  endforeach()

  if(GUI)
    require_tool(appstreamcli appstreamcli appstream)
    set(metainfo "${tree}/usr/share/metainfo/${app_id}.metainfo.xml")
    execute_process(COMMAND "${appstreamcli}" validate --no-net "${metainfo}" RESULT_VARIABLE rc
                    OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT rc EQUAL 0 OR said MATCHES "(^|\n)[EW]: ")
      message(FATAL_ERROR "appstreamcli validate (status ${rc}):\n${said}")
    endif()
    require_tool(desktop_validate desktop-file-validate desktop-file-utils)
    execute_process(COMMAND "${desktop_validate}" "${tree}/usr/share/applications/${app_id}.desktop"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT rc EQUAL 0 OR NOT said STREQUAL "")
      message(FATAL_ERROR "desktop-file-validate (status ${rc}):\n${said}")
    endif()

    # The record as built with HENGCHUAN_SCREENSHOTS_URL set validates too,
    # and names each packaged screenshot with its size in pixels.
    file(READ "${SOURCE_DIR}/packaging/hengchuan.metainfo.xml.in" template)
    string(REGEX MATCH "\n *<screenshots>.*</screenshots>" shots "${template}")
    string(REGEX MATCHALL "<image type=\"source\" width=\"[0-9]+\" height=\"[0-9]+\">[^<]+</image>" images
           "${shots}")
    list(LENGTH images count)
    require("count EQUAL 2" "the record's template lists ${count} screenshots")
    foreach(image IN LISTS images)
      string(REGEX MATCH "width=\"([0-9]+)\" height=\"([0-9]+)\">@HENGCHUAN_SCREENSHOTS_URL@/([^<]+)<" _ "${image}")
      set(named_size "${CMAKE_MATCH_1}x${CMAKE_MATCH_2}")
      set(png "${tree}/usr/share/hengchuan/screenshots/${CMAKE_MATCH_3}")
      require("EXISTS \"${png}\"" "the package lacks the screenshot ${image}")
      file(READ "${png}" header LIMIT 24 HEX)
      string(SUBSTRING "${header}" 32 8 width)
      string(SUBSTRING "${header}" 40 8 height)
      math(EXPR width "0x${width}")
      math(EXPR height "0x${height}")
      require("named_size STREQUAL \"${width}x${height}\"" "${png} is ${width}x${height} pixels, the record says ${image}")
    endforeach()
    string(REPLACE "@HENGCHUAN_SCREENSHOTS_URL@" "https://example.org/hengchuan" shots "${shots}")
    file(READ "${metainfo}" record)
    string(REPLACE "\n  <releases>" "${shots}\n  <releases>" record "${record}")
    string(FIND "${record}" "<screenshots>" at)
    require("NOT at EQUAL -1" "no place for the screenshots in the record:\n${record}")
    file(WRITE "${work}/with-screenshots/${app_id}.metainfo.xml" "${record}")
    execute_process(COMMAND "${appstreamcli}" validate --no-net "${work}/with-screenshots/${app_id}.metainfo.xml"
                    RESULT_VARIABLE rc OUTPUT_VARIABLE said ERROR_VARIABLE said)
    if(NOT rc EQUAL 0 OR said MATCHES "(^|\n)[EW]: ")
      message(FATAL_ERROR "appstreamcli validate, with screenshots (status ${rc}):\n${said}")
    endif()
    file(REMOVE_RECURSE "${work}/with-screenshots")
  endif()

  # Every dependency resolves against this machine's packages.
  find_program(apt_get apt-get)
  if(apt_get)
    run_checked("${apt_get}" install --simulate --no-install-recommends "${debs}")
    if(NOT run_output MATCHES "Inst hengchuan")
      message(FATAL_ERROR "apt-get would not install the package:\n${run_output}")
    endif()
  endif()
  file(REMOVE_RECURSE "${out}")
  message(STATUS "package: ${debs}\n${control}")
else()
  message(FATAL_ERROR "CHECK must be tree or deb")
endif()
