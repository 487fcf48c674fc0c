# Translations of the panel: one .ts file per locale code, compiled by
# lrelease into .qm files that the program loads from ":/translations".
#
# The .ts files are sources kept in git. They are refreshed only on demand:
#   cmake --build <build> --target vanto_lupdate
# which extracts the German source texts of the C++ and QML code
# (-locations none keeps the diffs small). A normal build never rewrites them.
set(VANTO_TRANSLATION_DIR "${CMAKE_CURRENT_LIST_DIR}")
set(VANTO_TRANSLATION_LOCALES
  de_de en_gb us_en dk_dk lt_lt lv_lv nl_nl fr_fr it_it es_es pl_pl hu_hu)

set(VANTO_TS_FILES "")
foreach(_locale ${VANTO_TRANSLATION_LOCALES})
  list(APPEND VANTO_TS_FILES "${VANTO_TRANSLATION_DIR}/${_locale}.ts")
endforeach()

set(_qm_dir "${CMAKE_CURRENT_BINARY_DIR}/translations")
set_source_files_properties(${VANTO_TS_FILES} PROPERTIES OUTPUT_LOCATION "${_qm_dir}")
qt5_add_translation(VANTO_QM_FILES ${VANTO_TS_FILES})

set(_qm_entries "")
foreach(_locale ${VANTO_TRANSLATION_LOCALES})
  string(APPEND _qm_entries "    <file alias=\"${_locale}.qm\">${_qm_dir}/${_locale}.qm</file>\n")
endforeach()
set(_translations_qrc "${CMAKE_CURRENT_BINARY_DIR}/vanto_translations.qrc")
file(CONFIGURE OUTPUT "${_translations_qrc}" CONTENT
  "<!DOCTYPE RCC><RCC version=\"1.0\">\n<qresource prefix=\"/translations\">\n${_qm_entries}</qresource>\n</RCC>\n")
qt5_add_resources(VANTO_TRANSLATION_RESOURCES "${_translations_qrc}")

# An object library, so the resource's static initialiser is linked into
# every program and test that uses it (a static archive could drop it).
add_library(vanto_translations OBJECT ${VANTO_TRANSLATION_RESOURCES} ${VANTO_QM_FILES})
set_target_properties(vanto_translations PROPERTIES AUTORCC OFF AUTOMOC OFF)
target_link_libraries(vanto_translations PRIVATE Qt5::Core)

get_filename_component(_app_dir "${VANTO_TRANSLATION_DIR}" DIRECTORY)
set(_lupdate_inputs "${_app_dir}/src")
foreach(_qml_dir qml qml-psm)
  if(EXISTS "${_app_dir}/${_qml_dir}")
    list(APPEND _lupdate_inputs "${_app_dir}/${_qml_dir}")
  endif()
endforeach()
add_custom_target(vanto_lupdate
  COMMAND Qt5::lupdate -locations none -source-language de_DE ${_lupdate_inputs}
          -ts ${VANTO_TS_FILES}
  WORKING_DIRECTORY "${_app_dir}"
  COMMENT "Extracting the source texts into app/translations/*.ts"
  VERBATIM)
