# The Debian package of the Linux build, made by CPack: ./tzv package, or cpack in the
# build folder, writes build/<package>_<version>_<architecture>.deb.

include(GNUInstallDirs)

set(TZV_PAQUETE transzorvex-valencia)

# Folders the installation makes are 0755 whatever the umask, as Debian wants them.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
                                                GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

add_subdirectory(paquete)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TZV_PAQUETE})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_PACKAGE_NAME ${TZV_PAQUETE})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Equipo de TransZorvexValencia <paquetes@transzorvex.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The first line is the synopsis; CPack indents the rest as the long description.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "traspaso de datos de un centro entre GESCEN y el generador de horarios Zorvex
TransZorvexValencia exporta las tablas de GESCEN (tablas dBase) a las tablas
de intercambio que lee el generador de horarios Zorvex, e importa en GESCEN
los horarios de grupos y de profesores que Zorvex calcula.

El paquete trae el programa con ventanas, transzorvex, que Zorvex puede abrir
dentro de su propia ventana, y la herramienta de línea de órdenes
transzorvex-cli, que además muestra tablas, comprueba los datos del centro y
gestiona las copias de seguridad de los horarios. Las letras de unidad siguen
el prefijo de Wine, para trabajar junto a GESCEN y Zorvex ejecutados con Wine.")

# Depends: the libraries the programs link, worked out by dpkg-shlibdeps, and the Qt
# platform plugins, which no program links but without which no window opens.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
# The dialog's fonts: Arial resolves to Liberation Sans; MS Sans Serif comes with Wine's.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-wine")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
