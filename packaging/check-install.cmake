# Checks what the build installs and packages.
#   cmake -DBUILD_DIR=... -DSOURCE_DIR=... -DGUI=ON|OFF -DCHECK=tree|deb -P check-install.cmake
# tree: installs into a throw-away DESTDIR with prefix /usr and checks the
#       tree file by file, runs both installed programs and validates the
#       desktop entry and the icon.
# deb:  builds the Debian package with CPack and checks its contents and
#       declared dependencies; where apt-get is present, simulates installing it.
cmake_minimum_required(VERSION 3.25)

foreach(var BUILD_DIR SOURCE_DIR GUI CHECK)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "${var} is not set")
  endif()
endforeach()

set(work "${BUILD_DIR}/install-test")
set(app_name "衡川2.0（升级版）")

set(expected_files usr/bin/hengchuan-script)
if(GUI)
  list(APPEND expected_files
       usr/bin/hengchuan
       usr/share/applications/hengchuan.desktop
       usr/share/icons/hicolor/scalable/apps/hengchuan.svg)
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

    set(desktop "${root}/usr/share/applications/hengchuan.desktop")
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

  run_checked("${dpkg_deb}" --field "${debs}" Package Architecture Depends)
  set(control "${run_output}")
  set(wanted "Package: hengchuan" "Depends:.*libc6" "Depends:.*libstdc[+][+]6")
  if(GUI)
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
