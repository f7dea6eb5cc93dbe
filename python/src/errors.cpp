#include "errors.h"

#include <pybind11/pybind11.h>

namespace py = pybind11;

namespace orv::python {

void RaiseValueError(const std::string& message) {
    throw py::value_error(message);
}

void RaiseTypeError(const std::string& message) {
    throw py::type_error(message);
}

void RaiseMemoryError(const std::string& message) {
    PyErr_SetString(PyExc_MemoryError, message.c_str());
    throw py::error_already_set();
}

void RaiseOSError(int error, const std::string& message) {
    const py::object type = py::module_::import("builtins").attr("OSError");
    const py::object exception = error != 0 ? type(error, message) : type(message);
    PyErr_SetObject(reinterpret_cast<PyObject*>(Py_TYPE(exception.ptr())), exception.ptr());
    throw py::error_already_set();
}

std::string Plain(const std::string& message) {
    static const std::string prefix = "warning: ";
    return message.rfind(prefix, 0) == 0 ? message.substr(prefix.size()) : message;
}

void Warn(const std::string& message) {
    if (PyErr_WarnEx(PyExc_UserWarning, message.c_str(), 1) != 0) {
        throw py::error_already_set();
    }
}

} // namespace orv::python
