! A Fortran 2003 host of the plug-in: the host's shared blocks as COMMON
! blocks bound to their C names, the three exported routines through
! interfaces bound to their names, every argument by reference.
module kviapws97_host
  use, intrinsic :: iso_c_binding
  implicit none

  integer(c_int64_t) :: msgctl(64)
  common /sys_msgctl_block/ msgctl
  bind(c, name="SYS_MSGCTL") :: /sys_msgctl_block/

  real(c_double) :: rconst(8)
  common /sys_rconst_block/ rconst
  bind(c, name="SYS_RCONST") :: /sys_rconst_block/

  character(kind=c_char) :: msgbuf(800)
  common /sys_msgbuf_block/ msgbuf
  bind(c, name="SYS_MSGBUF") :: /sys_msgbuf_block/

  interface
    subroutine kviapws_if97prop(T, P, V, code, phase, region, component, result, error) &
        bind(c, name="KVIAPWS_IF97PROP")
      import :: c_double, c_int32_t, c_int64_t
      real(c_double), intent(in) :: T, P, V
      integer(c_int32_t), intent(in) :: code
      integer(c_int64_t), intent(in) :: phase, region
      integer(c_int64_t) :: component
      real(c_double), intent(out) :: result
      integer(c_int64_t), intent(out) :: error
    end subroutine

    subroutine kviapws_es15d(T, P, component, phase, saturation, fugacity_mode, want_lnphi, want_h, want_s, &
        want_g, want_v, lnphi, H, S, G, V, error) bind(c, name="KVIAPWS_ES15D")
      import :: c_double, c_int64_t
      real(c_double), intent(in) :: T, P
      integer(c_int64_t) :: component
      integer(c_int64_t), intent(in) :: phase, saturation, fugacity_mode
      integer(c_int64_t), intent(in) :: want_lnphi, want_h, want_s, want_g, want_v
      real(c_double), intent(inout) :: lnphi, H, S, G, V
      integer(c_int64_t), intent(out) :: error
    end subroutine

    subroutine kviapws_fdregion(T, P, phase, component, region, T_used, P_used, V, error) &
        bind(c, name="KVIAPWS_FDREGION")
      import :: c_double, c_int64_t
      real(c_double), intent(in) :: T, P
      integer(c_int64_t), intent(in) :: phase
      integer(c_int64_t) :: component
      integer(c_int64_t), intent(out) :: region
      real(c_double), intent(out) :: T_used, P_used, V
      integer(c_int64_t), intent(out) :: error
    end subroutine
  end interface
end module

program fortran_host
  use kviapws97_host
  implicit none
  integer(c_int64_t) :: component = 7, error, region
  integer(c_int64_t), parameter :: liquid = 2, one = 1, zero = 0
  integer(c_int32_t) :: code
  real(c_double) :: result, lnphi, H, S, G, V, T_used, P_used
  integer :: failures = 0
  character(len=80) :: line

  ! IAPWS-IF97 Table 5: v(3 MPa, 300 K) = 0.100215168e-2 m3/kg.
  code = 5
  call kviapws_if97prop(300d0, 3d6, 0d0, code, liquid, one, component, result, error)
  call check("code 5 region 1", abs(result - 0.100215168d-2 * 18.0152d0) < 1d-10 .and. error == 0)

  ! Region 0 is no region: the missing value and error flag 1.
  code = 2
  call kviapws_if97prop(300d0, 3d6, 0d0, code, liquid, zero, component, result, error)
  call check("region 0", result == rconst(1) .and. error == 1)

  ! Liquid below 273.15 K, enthalpy alone: the extrapolation line.
  H = 0
  call kviapws_es15d(250d0, 1d5, component, liquid, zero, one, zero, one, zero, zero, zero, &
                     lnphi, H, S, G, V, error)
  call check("ES15D at 250 K", abs(H - (-46037671.16895d0)) < 1d-6)

  call kviapws_fdregion(300d0, 1d5, liquid, component, region, T_used, P_used, V, error)
  call check("FDREGION liquid 300 K", region == 1 .and. T_used == 300d0 .and. P_used == 1d5 .and. error == 0)

  ! Liquid at 300 K and 1000 Pa lies below its vapour pressure: warning 6,
  ! which names both pressures (its text is test_warnings.cpp's).
  msgbuf = ' '
  call kviapws_es15d(300d0, 1d3, component, liquid, zero, one, zero, one, zero, zero, zero, &
                     lnphi, H, S, G, V, error)
  line = transfer(msgbuf(1:80), line)
  call check("warning 6 written", index(line, "0.100E+04") > 0 .and. index(line, "0.354E+04") > 0)

  ! With diagnostics switched off nothing is written.
  msgctl(57) = 0
  msgbuf = ' '
  call kviapws_es15d(300d0, 1d3, component, liquid, zero, one, zero, one, zero, zero, zero, &
                     lnphi, H, S, G, V, error)
  line = transfer(msgbuf(1:80), line)
  call check("diagnostics off", line == ' ')
  msgctl(57) = 1

  if (failures > 0) then
    print '(I0, A)', failures, ' failed'
    stop 1
  end if
  print '(A)', '6 passed, 0 failed'

contains

  subroutine check(what, ok)
    character(len=*), intent(in) :: what
    logical, intent(in) :: ok
    if (.not. ok) then
      print '(A, A)', 'FAILED: ', what
      failures = failures + 1
    end if
  end subroutine

end program
