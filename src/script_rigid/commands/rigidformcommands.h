#pragma once

#include <memory>

class RigidJobCommandSet;

// Puts the rigid job commands behind the rigid prescription window's job
// buttons. The application calls the plain form once at start-up; tests
// pass a command set of their own (its companion and program end).
void Install_Rigid_Job_Commands();
void Install_Rigid_Job_Commands(std::shared_ptr<RigidJobCommandSet> commands);
